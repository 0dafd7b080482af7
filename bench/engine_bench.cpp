// One whole calculation, from the sheet's texts to the finished record.

#include "engine/calculate.h"
#include "sheet_fixtures.h" // tests/core: the worked example and a fresh record

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace keld;

class NullSink : public MessageSink {
  public:
    void showMessage(std::string_view, MessageIcon) override {}
};

using test::freshCase;
using test::workedExample;

void BM_CalculateWorkedExample(benchmark::State& state) {
    const SheetEntries e = workedExample();
    SizingCase c = freshCase();
    NullSink sink;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Calculate_Output(e, c, sink));
        benchmark::DoNotOptimize(c.COSTTOTAL);
    }
}
BENCHMARK(BM_CalculateWorkedExample);

// A mix of valid cases over the whole input range, both stream cases, fixed
// and chosen rows.
void BM_CalculateMix(benchmark::State& state) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<SheetEntries> cases;
    for (int i = 0; i < 256; ++i) {
        SheetEntries e = workedExample();
        const double air = -40 + 240 * unit(rng);
        const double hotIn = air + 5 + (745 - air) * unit(rng);
        e.text[Field::Coefficient] = std::to_string(6 + 194 * unit(rng));
        e.text[Field::AirInlet] = std::to_string(air);
        e.text[Field::HotInlet] = std::to_string(hotIn);
        e.text[Field::HotOutlet] = std::to_string(air + (hotIn - air) * (0.05 + 0.9 * unit(rng)));
        e.text[Field::Rows] = std::to_string(3 + i % 8);
        e.text[Field::TubeLength] = std::to_string(8 + 52 * unit(rng));
        e.text[Field::Duty] = std::to_string(0.1 + 100 * unit(rng));
        cases.push_back(e);
    }
    SizingCase c = freshCase();
    NullSink sink;
    std::size_t i = 0;
    for (auto _ : state) {
        c.ROWSFIXED = (i & 1) != 0;
        benchmark::DoNotOptimize(Calculate_Output(cases[i++ & 255], c, sink));
    }
}
BENCHMARK(BM_CalculateMix);

} // namespace

BENCHMARK_MAIN();
