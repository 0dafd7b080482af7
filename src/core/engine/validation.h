#pragma once
// The checks of a calculation's entries, in the order Calculate_Output makes
// them: each entry is read when its turn comes, converted into English units
// on a Metric sheet, stored into the record and checked against its range.

#include "engine/entries.h"
#include "engine/sizing_case.h"
#include "units/units.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace keld {

// One end of an entry's range: a number, or an entry read before it.
struct Bound {
    bool inclusive = true;
    double value = 0;                    // when `entry` is null
    double SizingCase::*entry = nullptr; // TAIRIN, THOTIN: compared strictly
    const char* entryName = nullptr;     // "the inlet air temperature"
};

// Where a checked entry goes: a double field, or the whole-number rows.
using CheckTarget = std::variant<double SizingCase::*, std::int32_t SizingCase::*>;

struct EntryCheck {
    Field field;
    const char* name;    // the entry as a refusal names it: "Heat Duty (Item 5)"
    const char* missing; // the message for an empty entry
    // How a Metric entry becomes English; none: the entry has no unit.
    std::optional<units::Quantity> quantity;
    CheckTarget target;
    Bound low;
    Bound high;
    // Stored on success instead of the value read (the duty: Btu/hr from
    // million Btu/hr). A failing entry keeps the value just read.
    double scale = 1;
    // The range message: its first line, then a line feed and the second
    // line of the sheet's unit system.
    const char* rangeFirst;
    const char* rangeMetric;
    const char* rangeEnglish;
    // The units the sheet shows the entry in, English and Metric.
    const char* unitEnglish;
    const char* unitMetric;
};

// The numeric checks in the order they are made (after the title and the
// fluid): coefficient, duty, air inlet, hot inlet, hot outlet, tube length,
// rows.
const std::array<EntryCheck, 7>& entryChecks();

// The check of a field, if it has one.
const EntryCheck* checkOf(Field field);

// The ends of a check's range that the sheet accepts, in the units it
// shows: the English bounds as they are; on a Metric sheet each converted
// and taken inwards to four significant figures, so that a value written as
// shown passes the check. None for an end that is another entry.
struct AcceptedRange {
    std::optional<double> low;
    std::optional<double> high;
};
AcceptedRange acceptedRange(const EntryCheck& check, UnitSystem units);

// The accepted range in words, for the sheet's tooltips and the pages:
// "From 34.07 to 1135 W/(SqM-C)", "Above the inlet air temperature, at most
// 750 °F".
std::string acceptedRangeText(const EntryCheck& check, UnitSystem units);

// The range message of a check for a sheet in these units.
std::string rangeMessage(const EntryCheck& check, UnitSystem units);

// The refusal of a numeric entry whose number other characters follow
// (hasTextAfterNumber), by the name of the entry: Heat Duty (Item 5): "1,5"
// is not a number. Use a point as the decimal mark. A long text is shown by
// its beginning.
std::string notANumberMessage(std::string_view name, std::string_view text);

// Whether a value (in English units, the record's) lies within the check's
// range; entries that a bound refers to are read from the record.
inline bool withinRange(const EntryCheck& check, double value, const SizingCase& c) {
    const double low = check.low.entry ? c.*check.low.entry : check.low.value;
    const double high = check.high.entry ? c.*check.high.entry : check.high.value;
    const bool aboveLow = check.low.inclusive ? value >= low : low < value;
    const bool belowHigh = check.high.inclusive ? value <= high : value < high;
    return aboveLow && belowHigh;
}

} // namespace keld
