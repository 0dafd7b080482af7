#pragma once
// Project files: the inputs of the sheet, 17 tagged lines of Windows-1252 text.
//
//   100<TEXT1>            ... one line per field Text1 to Text12
//   LIQUID<OPTION1>       CONDENSE, GAS or LIQUID (anything else: Liquid Cooling)
//   ENGLISH<OPTION2>      ENGLISH or METRIC (anything else: Metric)
//   FORCED<OPTION3>       FORCED or INDUCED (anything else: Induced)
//   Process Water<COMBO1> the fluid as its list shows it
//   Steel<COMBO2>         the material
//
// A tag counts wherever it stands in a line (case matters); its value is the
// text before its first occurrence. Lines without a tag are ignored, and a
// later line with the same tag overrides an earlier one.
//
// The lines below are the one table of the format: reading, applying and
// writing a file all walk it.

#include "engine/entries.h"
#include "units/units.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

// What a line of a project file holds.
enum class ProjectItem {
    Field,    // the text of a field (Text1 .. Text12)
    Service,  // the service option
    Units,    // the unit option
    Draft,    // the draft option
    Fluid,    // the fluid list's text
    Material, // the material list's text
};

struct ProjectLine {
    const char* tag; // "<TEXT1>"
    ProjectItem item;
    Field field; // the field of a ProjectItem::Field line
};

inline constexpr std::size_t kProjectLineCount = 17;

// The lines in the order they are tested, applied and written.
extern const std::array<ProjectLine, kProjectLineCount> kProjectLines;

// The words of the unit and draft lines; any other word reads as Metric, and
// as Induced.
UnitSystem unitsFromWord(std::string_view word);
const char* unitsWord(UnitSystem units);
bool forcedFromWord(std::string_view word);
const char* draftWord(bool forced);

struct ProjectEntry {
    const ProjectLine* line; // whose tag the file's line holds
    std::string value;       // UTF-8
    std::size_t lineNumber;  // the line of the file it stands in, from 1
};

// Every tagged value of a project file's bytes, in the order they apply.
std::vector<ProjectEntry> parseProjectFile(std::string_view bytes);

// A project file from the value of each line (UTF-8): Windows-1252 with
// CR LF; a character that Windows-1252 cannot hold is written as "?" and
// `lossy` says so.
std::string writeProjectFile(const std::function<std::string(const ProjectLine&)>& value,
                             bool* lossy = nullptr);

} // namespace keld
