#include "sweep.h"

#include "planning/sweep.h"
#include "text/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

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
        planning::lengthRange(numbers[0], numbers[1], numbers[2], reason);
    if (!lengths) {
        error = "--lengths: " + reason;
    }
    return lengths;
}

} // namespace keld::cli
