#include "planning/options.h"

#include "text/number.h"
#include "units/units.h"

#include <cmath>
#include <limits>

namespace keld::planning {
namespace {

constexpr std::size_t index(UnitSystem units) {
    return units == UnitSystem::English ? 0 : 1;
}

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// Common practice for air-cooled exchangers, as the industry standards for
// them and the engineering data books give it.
const std::array<OptionRow, kOptionCount> kOptions = {{
    // At least two fans, so that one that fails never stops the whole cooler.
    {Option::FewestFans,
     OptionGroup::Layout,
     "Fewest fans in all",
     OptionUnit::None,
     {"", ""},
     {2, 2},
     {1, 1},
     {4, 4},
     true,
     false,
     {"The fewest fans must be a whole number from 1 to 4.",
      "The fewest fans must be a whole number from 1 to 4."},
     "fewest-fans",
     "planning/fewestFans",
     "fewestFans"},
    // The fan ring (its throat and the fan's tip clearance) beside the fan.
    {Option::FanClearance,
     OptionGroup::Layout,
     "Fan ring clearance",
     OptionUnit::Length,
     {"ft", "m"},
     {1, 0.3 / units::kFeetToMetres},
     {0, 0},
     {3, 0.9},
     false,
     false,
     {"The fan ring clearance must be from 0 to 3 ft.",
      "The fan ring clearance must be from 0 to 0.9 m."},
     "fan-clearance",
     "planning/fanClearanceFt",
     "fanClearanceFt"},
    {Option::LargestFan,
     OptionGroup::Layout,
     "Largest fan diameter",
     OptionUnit::Length,
     {"ft", "m"},
     {20, 6.1 / units::kFeetToMetres},
     {4, 1.22},
     {30, 9.15},
     false,
     false,
     {"The largest fan diameter must be from 4 to 30 ft.",
      "The largest fan diameter must be from 1.22 to 9.15 m."},
     "largest-fan",
     "planning/largestFanFt",
     "largestFanFt"},
    // A fixed-pitch fan takes more power in dense winter air than at design.
    {Option::MotorMargin,
     OptionGroup::Motors,
     "Motor margin (1.10 for 10 %)",
     OptionUnit::None,
     {"", ""},
     {1.10, 1.10},
     {1, 1},
     {1.5, 1.5},
     false,
     false,
     {"The motor margin must be from 1 to 1.5.", "The motor margin must be from 1 to 1.5."},
     "motor-margin",
     "planning/motorMargin",
     "motorMargin"},
    // Belt drives lose about 5 %; a direct drive loses nothing (1).
    {Option::DriveEfficiency,
     OptionGroup::Motors,
     "Drive efficiency (1 for a direct drive)",
     OptionUnit::None,
     {"", ""},
     {0.95, 0.95},
     {0.5, 0.5},
     {1, 1},
     false,
     false,
     {"The drive efficiency must be a fraction from 0.5 to 1.",
      "The drive efficiency must be a fraction from 0.5 to 1."},
     "drive-efficiency",
     "planning/driveEfficiency",
     "driveEfficiency"},
    {Option::MotorEfficiency,
     OptionGroup::Motors,
     "Motor efficiency",
     OptionUnit::None,
     {"", ""},
     {0.93, 0.93},
     {0.5, 0.5},
     {1, 1},
     false,
     false,
     {"The motor efficiency must be a fraction from 0.5 to 1.",
      "The motor efficiency must be a fraction from 0.5 to 1."},
     "motor-efficiency",
     "planning/motorEfficiency",
     "motorEfficiency"},
    // Tip speeds of air-cooler fans: at most 12,000 ft/min (60.96 m/s) for
    // noise and blade stress; below 5,000 ft/min a fan of this kind moves too
    // little air to be chosen.
    {Option::TipSpeed,
     OptionGroup::Noise,
     "Fan tip speed",
     OptionUnit::Speed,
     {"ft/min", "m/s"},
     {10000, 10000},
     {5000, 25.4},
     {12000, 60.96},
     false,
     false,
     {"The fan tip speed must be from 5000 to 12000 ft/min.",
      "The fan tip speed must be from 25.4 to 60.96 m/s."},
     "tip-speed",
     "planning/tipSpeedFtMin",
     "tipSpeedFtMin"},
    // A listener at the plot boundary: 100 ft on an English case, 30 m on a
    // Metric one. Closer, the fans are no point source; farther, the air
    // absorbs what the spreading law ignores.
    {Option::Distance,
     OptionGroup::Noise,
     "Distance to the listener",
     OptionUnit::Metres,
     {"ft", "m"},
     {100 * units::kFeetToMetres, 30},
     {10, 3},
     {3280, 1000},
     false,
     false,
     {"The distance to the listener must be from 10 to 3280 ft.",
      "The distance to the listener must be from 3 to 1000 m."},
     "noise-distance",
     "planning/distanceM",
     "distanceM"},
    // Noise is specified as a limit: at the plant fence, or 1 m below a fan.
    {Option::NoiseLimit,
     OptionGroup::Noise,
     "Noise limit at the listener",
     OptionUnit::None,
     {"dB(A)", "dB(A)"},
     {kNone, kNone},
     {30, 30},
     {140, 140},
     false,
     true,
     {"The noise limit at the listener must be from 30 to 140 dB(A), or empty for none.",
      "The noise limit at the listener must be from 30 to 140 dB(A), or empty for none."},
     "noise-limit",
     "planning/noiseLimitDbA",
     "noiseLimitDbA"},
    {Option::NearFieldLimit,
     OptionGroup::Noise,
     "Noise limit 1 m below a fan",
     OptionUnit::None,
     {"dB(A)", "dB(A)"},
     {kNone, kNone},
     {30, 30},
     {140, 140},
     false,
     true,
     {"The noise limit 1 m below a fan must be from 30 to 140 dB(A), or empty for none.",
      "The noise limit 1 m below a fan must be from 30 to 140 dB(A), or empty for none."},
     "near-field-limit",
     "planning/nearFieldLimitDbA",
     "nearFieldLimitDbA"},
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
     true,
     false,
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
    return std::isfinite(v) ? readNumber(formatPlainDecimal(v)).value_or(v) : v;
}

bool accepts(const OptionRow& row, double v, UnitSystem units) {
    if (std::isnan(v)) {
        return row.noneAllowed;
    }
    return v >= row.low[index(units)] && v <= row.high[index(units)] &&
           (!row.whole || v == std::floor(v));
}

const char* rangeMessage(const OptionRow& row, UnitSystem units) {
    return row.message[index(units)];
}

std::string acceptedRangeText(const OptionRow& row, UnitSystem units) {
    const std::string unit = row.unitText[index(units)];
    const std::string low = formatPlainDecimal(row.low[index(units)]);
    const std::string high =
        formatPlainDecimal(row.high[index(units)]) + (unit.empty() ? "" : " " + unit);
    return std::string(row.whole ? "A whole number from " : "From ") + low + " to " + high +
           (row.noneAllowed ? ", or empty for none" : "");
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
