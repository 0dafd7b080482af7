// A design sweep of a million cases on every core, and one plant-list row:
// what `keld-size --sweep` and a batch do, without the printing.

#include "batch.h"
#include "case_run.h"
#include "sweep/sweep.h"

#include <benchmark/benchmark.h>

#include <string>
#include <thread>

namespace {

using namespace keld;

const char* const kCase = "100<TEXT1>\r\n150<TEXT2>\r\n125<TEXT3>\r\nBench<TEXT4>\r\n95<TEXT5>\r\n"
                          "180<TEXT6>\r\n120<TEXT7>\r\n5<TEXT8>\r\nE-1<TEXT9>\r\n1<TEXT10>\r\n"
                          "30<TEXT11>\r\n12.5<TEXT12>\r\nLIQUID<OPTION1>\r\nENGLISH<OPTION2>\r\n"
                          "FORCED<OPTION3>\r\nProcess Water<COMBO1>\r\nSteel<COMBO2>\r\n";

// The sheet as keld-size starts it, with the installation's default case.
const Sheet& started() {
    static const Sheet sheet = [] {
        cli::MessageRecorder messages;
        return cli::startedSheet(KELD_PROGRAM_DIR, messages);
    }();
    return sheet;
}

Sheet loadedCase() {
    return *cli::runCaseFromBytes(started(), kCase, "bench.ini", {}, cli::Step::Open).sheet;
}

// 8 row counts x 12,500 tube lengths x 10 materials = 1,000,000 cases.
void BM_SweepMillionCases(benchmark::State& state) {
    const Sheet base = loadedCase();
    std::vector<double> lengths;
    for (int k = 0; k < 12500; ++k) {
        lengths.push_back(8 + 52.0 * k / 12499);
    }
    std::vector<std::size_t> materials;
    for (std::size_t m = 0; m < 10; ++m) {
        materials.push_back(m);
    }
    sweep::Request request;
    request.lengths = lengths;
    request.materials = materials;
    request.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const sweep::Result r = sweep::run(base, request);
        benchmark::DoNotOptimize(r.cheapest);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_SweepMillionCases)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The Alternatives window's default: 8 row counts x 27 tube lengths, the
// case's own material.
void BM_SweepWindowDefault(benchmark::State& state) {
    const Sheet base = loadedCase();
    sweep::Request request;
    request.lengths = sweep::defaultLengths(UnitSystem::English);
    request.threads = 2;
    for (auto _ : state) {
        const sweep::Result r = sweep::run(base, request);
        benchmark::DoNotOptimize(r.cheapest);
    }
}
BENCHMARK(BM_SweepWindowDefault)->Unit(benchmark::kMicrosecond)->UseRealTime();

// One plant-list case: parse the file's text, apply it, calculate, plan.
void BM_BatchCaseFromText(benchmark::State& state) {
    for (auto _ : state) {
        const cli::CaseRun run = cli::runCaseFromBytes(started(), kCase, "bench.ini", {});
        benchmark::DoNotOptimize(run.run.ok);
    }
}
BENCHMARK(BM_BatchCaseFromText);

} // namespace
