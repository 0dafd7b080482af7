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

#include "engine/calculate.h"
#include "engine/sizing_case.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keld {

inline constexpr std::size_t kProjectTagCount = 17;
// Tags in the order they are tested and written: "<TEXT1>" .. "<TEXT12>",
// "<OPTION1>", "<OPTION2>", "<OPTION3>", "<COMBO1>", "<COMBO2>".
extern const std::array<const char*, kProjectTagCount> kProjectTags;
inline constexpr int kTagOption1 = 12;
inline constexpr int kTagOption2 = 13;
inline constexpr int kTagOption3 = 14;
inline constexpr int kTagCombo1 = 15;
inline constexpr int kTagCombo2 = 16;

struct ProjectEntry {
    int tag;           // index into kProjectTags
    std::string value; // UTF-8
};

// Every tagged value of a project file's bytes, in the order they apply.
std::vector<ProjectEntry> parseProjectFile(std::string_view bytes);

// The sheet's entries as data: what a project file fills and a calculation
// reads, with the sheet's lists and its user-defined fluids.
struct SheetState {
    ByField<std::string> text;
    std::array<bool, 3> service{}; // Condensing, Gas Cooling, Liquid Cooling
    bool english = true;           // the English unit option is selected
    bool forced = true;            // the Forced draft option is selected
    std::vector<std::string> fluidList;
    std::optional<std::size_t> fluidIndex;
    std::optional<std::size_t> materialIndex;
    std::array<std::string, 3> userEntry = {"User Defined Condensate", "User Defined Gas",
                                            "User Defined Liquid"};
    std::array<double, 3> userCoefficient{}; // Btu/(hr sq ft °F); 0 until defined

    // The selected service (the first selected option), if any.
    std::optional<std::size_t> selectedService() const;
    // The text of the fluid list: the selected entry, or empty.
    std::string fluidText() const;
    std::string materialText() const;
};

enum class LoadKind {
    Open,       // File, Open: a rows line fixes the rows; user-defined fluids are restored
    DefaultCase // the default case at start-up and Reset
};

struct LoadFailure {
    int tag;           // the tag whose value could not be applied
    std::string value; // that value
};

// Empties the fluid list, resets the user-defined fluids and the user's price,
// as File, Open does before it reads a file.
void prepareOpen(SheetState& sheet, SizingCase& c);

// Applies the entries in order to the sheet and to the record's ENGLISH,
// DRAFT, ROWSFIXED, MATERIAL and MATERIALFACTOR. For File, Open a fluid or
// material that is not in its list stops the load with the failing value
// (what was applied before it stays applied: work on a copy to keep a sheet
// unchanged); for the default case such a line is skipped.
std::optional<LoadFailure> applyProject(const std::vector<ProjectEntry>& entries, LoadKind kind,
                                        SheetState& sheet, SizingCase& c);

// The entries a calculation reads from this sheet.
SheetEntries sheetEntries(const SheetState& sheet);

// The 17 lines of the sheet as a project file: CR LF line ends, Windows-1252.
// A character that Windows-1252 cannot hold is written as "?"; `lossy` tells.
std::string projectFileBytes(const SheetState& sheet, bool* lossy = nullptr);

} // namespace keld
