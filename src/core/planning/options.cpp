#include "planning/options.h"

#include "text/number.h"
#include "units/units.h"

#include <cmath>

namespace keld::planning {
namespace {

constexpr std::size_t index(UnitSystem units) {
    return units == UnitSystem::English ? 0 : 1;
}

const std::array<OptionRow, kOptionCount> kOptions = {{
    // Planning rules of common practice for air-cooled exchangers hold the
    // fan tip speed at or below 12,000 ft/min (61 m/s) for noise and stress.
    {Option::TipSpeed,
     OptionGroup::Noise,
     "Fan tip speed",
     OptionUnit::Speed,
     {"ft/min", "m/s"},
     {10000, 10000},
     {0, 0},
     {12000, 61},
     true,
     false,
     {"The fan tip speed must be above 0 and at most 12000 ft/min.",
      "The fan tip speed must be above 0 and at most 61 m/s."},
     "tip-speed",
     "planning/tipSpeedFtMin",
     "tipSpeedFtMin"},
    // A listener at the plot boundary: 100 ft on an English case, 30 m on a
    // Metric one. The spreading law holds outside the fans' near field (1 m)
    // and is of no planning use beyond 10 km.
    {Option::Distance,
     OptionGroup::Noise,
     "Distance to the listener",
     OptionUnit::Metres,
     {"ft", "m"},
     {100 * units::kFeetToMetres, 30},
     {3.3, 1},
     {32808, 10000},
     false,
     false,
     {"The distance to the listener must be from 3.3 to 32808 ft.",
      "The distance to the listener must be from 1 to 10000 m."},
     "noise-distance",
     "planning/distanceM",
     "distanceM"},
    // Present-value evaluation of running costs: a price per kWh well above
    // any tariff as the limit, hours within one year, a whole number of years
    // and a discount rate given as a fraction.
    {Option::EnergyPrice,
     OptionGroup::Cost,
     "Energy price",
     OptionUnit::None,
     {"US$ per kWh", "US$ per kWh"},
     {0.1, 0.1},
     {0, 0},
     {10, 10},
     false,
     false,
     {"The energy price must be from 0 to 10 US$ per kWh.",
      "The energy price must be from 0 to 10 US$ per kWh."},
     "energy-price",
     "planning/energyPricePerKwh",
     "energyPricePerKwh"},
    {Option::Hours,
     OptionGroup::Cost,
     "Running hours per year",
     OptionUnit::None,
     {"", ""},
     {8000, 8000},
     {0, 0},
     {8760, 8760},
     false,
     false,
     {"The running hours must be from 0 to 8760 per year.",
      "The running hours must be from 0 to 8760 per year."},
     "hours",
     "planning/hoursPerYear",
     "hoursPerYear"},
    {Option::Years,
     OptionGroup::Cost,
     "Years of operation",
     OptionUnit::None,
     {"", ""},
     {10, 10},
     {1, 1},
     {100, 100},
     false,
     true,
     {"The years of operation must be a whole number from 1 to 100.",
      "The years of operation must be a whole number from 1 to 100."},
     "years",
     "planning/years",
     "years"},
    {Option::Rate,
     OptionGroup::Cost,
     "Discount rate (0.08 for 8 %)",
     OptionUnit::None,
     {"", ""},
     {0.08, 0.08},
     {0, 0},
     {1, 1},
     false,
     false,
     {"The discount rate must be a fraction from 0 to 1.",
      "The discount rate must be a fraction from 0 to 1."},
     "rate",
     "planning/rate",
     "rate"},
}};

// The factor from the English to the Metric unit of a value.
double metricFactor(OptionUnit unit) {
    switch (unit) {
    case OptionUnit::Speed:
        return units::kFeetPerMinuteToMetresPerSecond;
    case OptionUnit::Length:
    case OptionUnit::Metres:
        return units::kFeetToMetres;
    case OptionUnit::None:
        break;
    }
    return 1;
}

UnitSystem canonicalSystem(OptionUnit unit) {
    return unit == OptionUnit::Metres ? UnitSystem::Metric : UnitSystem::English;
}

} // namespace

const std::array<OptionRow, kOptionCount>& optionTable() {
    return kOptions;
}

const OptionRow& optionRow(Option id) {
    return kOptions[static_cast<std::size_t>(id)];
}

Options::Options() {
    for (const OptionRow& row : kOptions) {
        set(row.id, row.defaults[index(UnitSystem::English)]);
    }
}

Options Options::defaults(UnitSystem units) {
    Options o;
    for (const OptionRow& row : kOptions) {
        o.set(row.id, row.defaults[index(units)]);
    }
    return o;
}

double toCanonical(const OptionRow& row, double value, UnitSystem units) {
    if (row.unit == OptionUnit::None || units == canonicalSystem(row.unit)) {
        return value;
    }
    return units == UnitSystem::Metric ? value / metricFactor(row.unit)
                                       : value * metricFactor(row.unit);
}

double fromCanonical(const OptionRow& row, double canonical, UnitSystem units) {
    if (row.unit == OptionUnit::None || units == canonicalSystem(row.unit)) {
        return canonical;
    }
    return units == UnitSystem::Metric ? canonical * metricFactor(row.unit)
                                       : canonical / metricFactor(row.unit);
}

double shownValue(const OptionRow& row, double canonical, UnitSystem units) {
    const double v = fromCanonical(row, canonical, units);
    return readNumber(formatPlainDecimal(v)).value_or(v);
}

bool accepts(const OptionRow& row, double v, UnitSystem units) {
    const double low = row.low[index(units)];
    const double high = row.high[index(units)];
    const bool aboveLow = row.lowRefused ? v > low : v >= low; // false for NaN
    return aboveLow && v <= high && (!row.whole || v == std::floor(v));
}

const char* rangeMessage(const OptionRow& row, UnitSystem units) {
    return row.message[index(units)];
}

std::string acceptedRangeText(const OptionRow& row, UnitSystem units) {
    const std::string unit = row.unitText[index(units)];
    const std::string low = formatPlainDecimal(row.low[index(units)]);
    const std::string high =
        formatPlainDecimal(row.high[index(units)]) + (unit.empty() ? "" : " " + unit);
    if (row.lowRefused) {
        return "Above " + low + ", at most " + high;
    }
    return std::string(row.whole ? "A whole number from " : "From ") + low + " to " + high;
}

OptionsOrMessage optionsFrom(const GivenOptions& given, UnitSystem units) {
    return optionsFrom(given, units, Options::defaults(units));
}

OptionsOrMessage optionsFrom(const GivenOptions& given, UnitSystem units, const Options& base) {
    OptionsOrMessage out{base, std::nullopt};
    for (const OptionRow& row : kOptions) {
        const std::optional<double>& value = given[static_cast<std::size_t>(row.id)];
        if (!value) {
            continue;
        }
        if (!accepts(row, *value, units)) {
            out.message = rangeMessage(row, units);
            return out;
        }
        out.options.set(row.id, toCanonical(row, *value, units));
    }
    return out;
}

} // namespace keld::planning
