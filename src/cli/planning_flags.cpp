#include "planning_flags.h"

#include "text/number.h"

#include <cctype>
#include <cmath>
#include <string>

namespace keld::cli {
namespace {

using planning::OptionRow;
using planning::OptionUnit;

std::string flagName(const OptionRow& row) {
    return std::string("--") + row.flag;
}

// "10000 ft/min" or "0.1": a default in the units of a system.
std::string withUnit(const OptionRow& row, UnitSystem units) {
    const std::size_t i = units == UnitSystem::English ? 0 : 1;
    if (std::isnan(row.defaults[i])) {
        return "none";
    }
    const std::string unit = row.unitText[i];
    const std::string value = formatPlainDecimal(planning::shownValue(row, row.defaults[i], units));
    return row.unit == OptionUnit::None || unit.empty() ? value : value + " " + unit;
}

std::string lowerFirst(std::string text) {
    if (!text.empty()) {
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    }
    return text;
}

// "Fan tip speed in the file's units, ft/min or m/s: default 10000 ft/min,
// 50.8 m/s; above 0, at most 12000 ft/min; above 0, at most 61 m/s".
std::string help(const OptionRow& row) {
    std::string text = row.label;
    std::string defaults = withUnit(row, UnitSystem::English);
    std::string ranges = planning::acceptedRangeText(row, UnitSystem::English);
    if (row.unit != OptionUnit::None) {
        text += std::string(" in the file's units, ") + row.unitText[0] + " or " + row.unitText[1];
        defaults += ", " + withUnit(row, UnitSystem::Metric);
        ranges += "; " + lowerFirst(planning::acceptedRangeText(row, UnitSystem::Metric));
    } else if (*row.unitText[0] != '\0') {
        text += std::string(", ") + row.unitText[0];
    }
    return text + ": default " + defaults + "; " + lowerFirst(ranges);
}

} // namespace

void PlanningFlags::declare(CLI::App& app) {
    for (const OptionRow& row : planning::optionTable()) {
        app.add_option(flagName(row), m_values[static_cast<std::size_t>(row.id)], help(row));
    }
}

planning::GivenOptions PlanningFlags::given(const CLI::App& app) const {
    planning::GivenOptions given{};
    for (const OptionRow& row : planning::optionTable()) {
        const auto i = static_cast<std::size_t>(row.id);
        if (app.count(flagName(row)) > 0) {
            given[i] = m_values[i];
        }
    }
    return given;
}

} // namespace keld::cli
