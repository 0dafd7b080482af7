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
    std::size_t line;  // the line of the file it stands in, from 1
};

// Every tagged value of a project file's bytes, in the order they apply.
std::vector<ProjectEntry> parseProjectFile(std::string_view bytes);

} // namespace keld
