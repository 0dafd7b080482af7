#include "sweep/sweep.h"

#include "catalogue/catalogue.h"
#include "engine/calculate.h"
#include "planning/plan.h"
#include "text/lines.h"
#include "text/number.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <thread>
#include <utility>

namespace keld::sweep {

std::optional<std::vector<double>> lengthRange(double from, double to, double step,
                                               std::string& error) {
    if (!(step > 0) || !(from <= to) || !std::isfinite(from) || !std::isfinite(to)) {
        error = "a range needs FROM not above TO and a STEP above 0";
        return std::nullopt;
    }
    const double count = std::floor((to - from) / step + 1e-9) + 1;
    if (!(count <= static_cast<double>(kMostLengths))) {
        error = "the range gives more than " + std::to_string(kMostLengths) + " lengths";
        return std::nullopt;
    }
    std::vector<double> lengths;
    for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) {
        // Each value from its own index, so the steps do not add up errors;
        // written as the sheet would take it, up to 15 significant digits.
        lengths.push_back(readNumber(lengthText(from + static_cast<double>(k) * step)).value_or(0));
    }
    return lengths;
}

std::vector<double> defaultLengths(UnitSystem units) {
    std::string unused;
    return units == UnitSystem::English ? *lengthRange(8, 60, 2, unused)
                                        : *lengthRange(2.5, 18, 0.5, unused);
}

std::string lengthText(double length) {
    return formatPlainDecimal(length);
}

double rankFigure(const AlternativeFigures& f, Rank rank) {
    switch (rank) {
    case Rank::Evaluated:
        return f.evaluatedCost;
    case Rank::Noise:
        return f.soundPressure;
    case Rank::FanPower:
        return f.fanPower;
    case Rank::Weight:
        return f.weight;
    case Rank::Price:
        break;
    }
    return f.price;
}

namespace {

// The messages of one worker, each once: only the last message of a run
// counts, and the few distinct ones are kept.
class Messages : public MessageSink {
  public:
    void showMessage(std::string_view text, MessageIcon) override { m_last.assign(text); }
    std::uint16_t lastId() {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i] == m_last) {
                return static_cast<std::uint16_t>(i);
            }
        }
        texts.emplace_back(m_last);
        return static_cast<std::uint16_t>(texts.size() - 1);
    }
    std::vector<std::string> texts;
    std::vector<std::size_t> chunks; // the first alternative of each chunk sized

  private:
    std::string m_last;
};

struct Work {
    const Sheet& base;
    const Request& request;
    std::vector<std::size_t> materials;
    std::array<std::string, kRowCounts> rows;
    std::vector<std::string> lengths; // as typed
    std::size_t count = 0;
};

constexpr std::size_t kChunk = 2048;

// Why an alternative is left out of a feasible sweep, if it is.
const char* leftOut(const std::optional<planning::FanFigures>& fans, bool usualOnly) {
    if (!fans) {
        return nullptr;
    }
    if (fans->breaksLimits()) {
        return planning::breaksLimitsReason();
    }
    if (usualOnly && fans->longTubes) {
        return planning::longTubesReason(fans->units);
    }
    if (usualOnly && fans->wideBays) {
        return planning::wideBaysReason();
    }
    return nullptr;
}

void work(const Work& plan, Alternatives& all, std::atomic<std::size_t>& next, Messages& messages,
          Control* control) {
    SheetEntries entries = plan.base.entries();
    SizingCase record = plan.base.record();
    const PreparedEntries prepared = prepareEntries(entries, record);
    const std::size_t perMaterial = kRowCounts * plan.lengths.size();
    std::optional<std::size_t> material;
    for (;;) {
        if (control && control->cancel.load(std::memory_order_relaxed)) {
            return;
        }
        const std::size_t first = next.fetch_add(kChunk, std::memory_order_relaxed);
        if (first >= plan.count) {
            return;
        }
        const std::size_t last = std::min(plan.count, first + kChunk);
        messages.chunks.push_back(first);
        for (std::size_t i = first; i < last; ++i) {
            const std::size_t m = plan.materials[i / perMaterial];
            const std::size_t rowIndex = i % perMaterial / plan.lengths.size();
            const std::size_t l = i % plan.lengths.size();
            Alternative& a = all[i];
            a.rows = static_cast<std::uint8_t>(kRowsFirst + rowIndex);
            a.lengthIndex = static_cast<std::uint32_t>(l);
            a.material = static_cast<std::uint8_t>(m);
            entries.text[Field::Rows] = plan.rows[rowIndex];
            entries.text[Field::TubeLength] = plan.lengths[l];
            record.ROWSFIXED = true;
            if (material != m) {
                material = m;
                record.MATERIAL = materials()[m].name;
                record.MATERIALFACTOR = materialFactor(m);
            }
            if (!Calculate_Output(prepared, entries, record, messages)) {
                a.message = messages.lastId();
                a.figures = {};
                continue;
            }
            const std::optional<planning::FanFigures> fans =
                planning::fanFigures(record, plan.request.options);
            if (const char* reason = leftOut(fans, plan.request.usualOnly)) {
                messages.showMessage(reason, MessageIcon::None);
                a.message = messages.lastId();
                a.figures = {};
                continue;
            }
            a.message = Alternative::kFeasible;
            const std::optional<planning::Ownership> ownership =
                planning::costOfOwnership(record, plan.request.options);
            const bool laidOut = fans && fans->layout;
            a.figures = {record.XWIDTH,
                         record.AFACE,
                         record.HORSEPOWER,
                         record.WEIGHTTOTAL,
                         record.COSTTOTAL,
                         ownership ? ownership->evaluatedCost : NAN,
                         laidOut ? fans->soundPressureDbA : NAN,
                         laidOut ? static_cast<float>(fans->nearFieldDbA) : NAN,
                         laidOut ? static_cast<float>(fans->motorPowerNeededHp) : NAN,
                         laidOut ? static_cast<std::uint32_t>(fans->layout->fans) : 0U,
                         laidOut ? static_cast<std::uint8_t>(fans->layout->diameterFt)
                                 : std::uint8_t{0}};
        }
        if (control) {
            control->done.fetch_add(last - first, std::memory_order_relaxed);
        }
    }
}

} // namespace

std::size_t alternativeCount(const Request& request) {
    return std::max<std::size_t>(1, request.materials.size()) * kRowCounts * request.lengths.size();
}

Result run(const Sheet& base, const Request& request, Control* control) {
    Work plan{base, request, request.materials, {}, {}, 0};
    if (plan.materials.empty()) {
        plan.materials.push_back(base.material().value_or(0));
    }
    for (int r = 0; r < kRowCounts; ++r) {
        plan.rows[static_cast<std::size_t>(r)] = std::to_string(kRowsFirst + r);
    }
    for (const double length : request.lengths) {
        plan.lengths.push_back(lengthText(length));
    }
    int decimals = 0;
    for (const std::string& typed : plan.lengths) {
        const std::size_t point = typed.find('.');
        if (point != std::string::npos) {
            decimals = std::max(decimals, static_cast<int>(typed.size() - point - 1));
        }
    }
    plan.count = alternativeCount(request);

    Result result;
    result.units = unitsOf(base.record());
    result.lengthDecimals = decimals;
    result.lengths = request.lengths;
    result.all = Alternatives(plan.count);
    const unsigned threads = std::max(
        1U, std::min<unsigned>(request.threads, static_cast<unsigned>(plan.count / kChunk + 1)));
    std::vector<Messages> messages(threads);
    std::atomic<std::size_t> next{0};
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back(work, std::cref(plan), std::ref(result.all), std::ref(next),
                                 std::ref(messages[t]), control);
        }
        work(plan, result.all, next, messages[0], control);
    }
    if (control && control->cancel.load()) {
        result.cancelled = true;
        return result;
    }

    // The messages of all workers, each once, as one line; an alternative's
    // message is the worker's own until it is found in the common table.
    for (unsigned t = 0; t < threads; ++t) {
        std::vector<std::uint16_t> remap;
        for (const std::string& text : messages[t].texts) {
            const std::string line = oneLine(text);
            const auto at = std::find(result.messages.begin(), result.messages.end(), line);
            remap.push_back(static_cast<std::uint16_t>(at - result.messages.begin()));
            if (at == result.messages.end()) {
                result.messages.push_back(line);
            }
        }
        for (const std::size_t first : messages[t].chunks) {
            const std::size_t last = std::min(plan.count, first + kChunk);
            for (std::size_t i = first; i < last; ++i) {
                if (!result.all[i].ok()) {
                    result.all[i].message = remap[result.all[i].message];
                }
            }
        }
    }
    // The ranking keys, and the best of each figure: among equal figures the
    // one ranked first, as the ranking orders them.
    using Key = std::pair<double, std::uint32_t>;
    std::vector<Key> keys;
    keys.reserve(plan.count);
    struct Best {
        std::optional<std::uint32_t>* at;
        double AlternativeFigures::*figure;
        double value = INFINITY;
        Key key{INFINITY, 0};
    };
    std::array<Best, 4> best = {{{&result.cheapest, &AlternativeFigures::price},
                                 {&result.lightest, &AlternativeFigures::weight},
                                 {&result.leastPower, &AlternativeFigures::fanPower},
                                 {&result.leastEvaluated, &AlternativeFigures::evaluatedCost}}};
    // The messages numbered in the order they first come in the sweep, as
    // one worker numbers them, however the work was shared.
    std::vector<std::uint16_t> renumbered(result.messages.size(), Alternative::kFeasible);
    std::vector<std::string> inSweepOrder;
    for (std::uint32_t i = 0; i < plan.count; ++i) {
        Alternative& a = result.all[i];
        if (!a.ok()) {
            std::uint16_t& to = renumbered[a.message];
            if (to == Alternative::kFeasible) {
                to = static_cast<std::uint16_t>(inSweepOrder.size());
                inSweepOrder.push_back(std::move(result.messages[a.message]));
            }
            a.message = to;
            result.infeasible.push_back(i);
            continue;
        }
        // An alternative without the figure (no fans planned) goes last.
        const double figure = rankFigure(a.figures, request.rank);
        const Key key{std::isnan(figure) ? INFINITY : figure, i};
        keys.push_back(key);
        for (Best& b : best) {
            const double v = a.figures.*b.figure;
            if (!*b.at || v < b.value || (v == b.value && key < b.key)) {
                *b.at = i;
                b.value = v;
                b.key = key;
            }
        }
    }
    result.messages = std::move(inSweepOrder);
    // Ranked by the figure, ties in sweep order; a large sweep sorts its two
    // halves at once and merges them.
    if (request.threads > 1 && keys.size() > 65536) {
        const auto middle = keys.begin() + static_cast<std::ptrdiff_t>(keys.size() / 2);
        std::jthread half([&] { std::sort(keys.begin(), middle); });
        std::sort(middle, keys.end());
        half.join();
        std::inplace_merge(keys.begin(), middle, keys.end());
    } else {
        std::sort(keys.begin(), keys.end());
    }
    result.ranked.reserve(keys.size());
    for (const auto& [key, i] : keys) {
        result.ranked.push_back(i);
    }
    return result;
}

} // namespace keld::sweep
