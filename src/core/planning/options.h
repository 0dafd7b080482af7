#pragma once
// The planning options: one table, one row per option, which everything that
// shows, takes, keeps or prints an option walks (the Options dialog, keld-size's
// flags, the settings file, the JSON and the pictures' listing). Adding an
// option is one row here plus the code that uses its value.
//
// An option is given in the units of a case (English or Metric) and kept in
// its canonical unit: the record's English unit (ft/min, ft), except for the
// distance to the listener, which the noise law takes in metres.

#include "units/units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace keld::planning {

// The options in the order the dialog and keld-size show them.
enum class Option : std::uint8_t {
    FewestFans,
    FanClearance,
    LargestFan,
    MotorMargin,
    DriveEfficiency,
    MotorEfficiency,
    TipSpeed,
    Distance,
    NoiseLimit,
    NearFieldLimit,
    EnergyPrice,
    Hours,
    Years,
    Rate,
};
inline constexpr std::size_t kOptionCount = 14;

// The Options dialog's groups, in their order.
enum class OptionGroup : std::uint8_t { Layout, Motors, Noise, Cost };
inline constexpr std::array<const char*, 4> kOptionGroupTitles = {"Fan layout", "Motors", "Noise",
                                                                  "Cost of ownership"};

// How a value converts between the unit systems: not at all, or as a
// quantity with one factor both ways (x · f to Metric, x / f back), so that
// a Metric value that names a whole number of English units is that number.
enum class OptionUnit : std::uint8_t {
    None,
    Speed,  // ft/min | m/s, canonical ft/min
    Length, // ft | m, canonical ft
    Metres, // ft | m, canonical m
};

struct OptionRow {
    Option id;
    OptionGroup group;
    const char* label; // "Fan tip speed"; the dialog adds the unit
    OptionUnit unit;
    std::array<const char*, 2> unitText; // English, Metric ("ft/min", "m/s"; "" for none)
    // The default of an English and of a Metric case, in the canonical unit;
    // not a number for none.
    std::array<double, 2> defaults;
    // The accepted range, in the units of each system (English, Metric).
    std::array<double, 2> low;
    std::array<double, 2> high;
    bool whole;                         // a whole number
    bool noneAllowed;                   // may be left empty: none (a limit not given)
    std::array<const char*, 2> message; // for a value out of range, by system
    const char* flag;                   // keld-size's flag without its dashes
    const char* settingsKey;            // the key in the settings file
    const char* jsonKey;                // the key of its value in keld-size's JSON
};

// The table, in the order the dialog and keld-size show the options.
const std::array<OptionRow, kOptionCount>& optionTable();
const OptionRow& optionRow(Option id);

// The options in their canonical units.
class Options {
  public:
    // The defaults of an English case.
    Options();
    static Options defaults(UnitSystem units);

    // The value, not a number for an option left without one.
    double operator[](Option id) const { return m_values[static_cast<std::size_t>(id)]; }
    // The value of an option that may be left without one.
    std::optional<double> given(Option id) const {
        const double v = (*this)[id];
        return v == v ? std::optional<double>(v) : std::nullopt;
    }
    void set(Option id, double canonical) { m_values[static_cast<std::size_t>(id)] = canonical; }

  private:
    std::array<double, kOptionCount> m_values{};
};

// A value of an option between the units of a system and the canonical unit.
double toCanonical(const OptionRow& row, double value, UnitSystem units);
double fromCanonical(const OptionRow& row, double canonical, UnitSystem units);

// A canonical value as a user would give it in the units of a system: to 15
// significant digits, so that 10000 ft/min is 50.8 m/s.
double shownValue(const OptionRow& row, double canonical, UnitSystem units);

// Whether a value given in the units of a system is accepted (a value that
// is not a number only by an option that may be left without one).
bool accepts(const OptionRow& row, double value, UnitSystem units);
const char* rangeMessage(const OptionRow& row, UnitSystem units);

// The accepted range in words, in the units of a system, for tooltips and
// help: "From 5000 to 12000 ft/min", "A whole number from 1 to 100", "From 30
// to 140 dB(A), or empty for none".
std::string acceptedRangeText(const OptionRow& row, UnitSystem units);

// The options a user gave, each one or not, in the units of a case; a value
// that is not a number stands for an entry that holds none (taken by the
// options that may be left without a value, refused by the others).
using GivenOptions = std::array<std::optional<double>, kOptionCount>;

struct OptionsOrMessage {
    Options options;
    std::optional<std::string> message; // of the first given value out of its range
};

// The options from what the user gave in the units of a case: every given
// value checked in those units and converted; the options not given keep
// their value in `base` exactly (the case's defaults when none is named).
OptionsOrMessage optionsFrom(const GivenOptions& given, UnitSystem units);
OptionsOrMessage optionsFrom(const GivenOptions& given, UnitSystem units, const Options& base);

} // namespace keld::planning
