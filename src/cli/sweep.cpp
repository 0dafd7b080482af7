#include "sweep.h"

#include "catalogue/catalogue.h"
#include "tables/sweep_table.h"
#include "text/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <thread>

namespace keld::cli {

namespace {

// A number of --lengths: plain decimal notation, nothing else.
std::optional<double> strictNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    const char separator = text.find(':') != std::string::npos ? ':' : ',';
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    std::vector<double> numbers;
    for (const std::string& p : parts) {
        const std::optional<double> v = strictNumber(p);
        if (!v) {
            error = "--lengths: \"" + p +
                    "\" is not a number (give FROM:TO:STEP or a list such as 20,24,30)";
            return std::nullopt;
        }
        numbers.push_back(*v);
    }
    if (separator == ',') {
        return numbers;
    }
    if (numbers.size() != 3) {
        error = "--lengths: a range is FROM:TO:STEP, such as 8:60:2";
        return std::nullopt;
    }
    std::string reason;
    std::optional<std::vector<double>> lengths =
        sweep::lengthRange(numbers[0], numbers[1], numbers[2], reason);
    if (!lengths) {
        error = "--lengths: " + reason;
    }
    return lengths;
}

std::vector<std::string> materialNames() {
    std::vector<std::string> names = {"all"};
    for (const Material& m : materials()) {
        names.emplace_back(m.name);
    }
    return names;
}

std::vector<std::size_t> materialPositions(const std::vector<std::string>& names) {
    std::vector<std::size_t> chosen;
    for (const std::string& name : names) {
        if (name == "all") {
            chosen.clear();
            for (std::size_t m = 0; m < materials().size(); ++m) {
                chosen.push_back(m);
            }
            return chosen;
        }
        if (const std::optional<std::size_t> m = findMaterial(name)) {
            chosen.push_back(*m);
        }
    }
    return chosen;
}

int runSweep(const Sheet& started, const std::string& file, RunOptions options,
             const SweepOptions& sweepOptions, std::ostream& out, std::ostream& err) {
    options.autoRows = false;
    const CaseRun run = runCase(started, file, options, Step::Open);
    if (!run.sheet) {
        err << "keld-size: " << run.error << "\n";
        return 2;
    }
    sweep::Request request;
    if (sweepOptions.lengths.empty()) {
        request.lengths = sweep::defaultLengths(unitsOf(run.sheet->record()));
    } else {
        std::string message;
        std::optional<std::vector<double>> parsed = parseLengths(sweepOptions.lengths, message);
        if (!parsed) {
            err << "keld-size: " << message << "\n";
            return 2;
        }
        request.lengths = std::move(*parsed);
    }
    if (run.usage) {
        err << "keld-size: " << *run.usage << "\n";
        return 2;
    }
    request.materials = sweepOptions.materials;
    request.options = run.options;
    request.rank = sweepOptions.rank;
    request.usualOnly = sweepOptions.usualOnly;
    request.threads = std::max(1U, std::thread::hardware_concurrency());
    const sweep::Result result = sweep::run(*run.sheet, request);
    out << (sweepOptions.csv ? sweep::sweepCsv(result, sweepOptions.units)
                             : sweep::sweepText(result, sweepOptions.units));
    return result.ranked.empty() ? 1 : 0;
}

} // namespace keld::cli
