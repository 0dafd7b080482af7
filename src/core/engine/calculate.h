#pragma once
// The calculation driver: reads the sheet's entries in a fixed order, checks
// each as it is read, converts Metric entries into English units, runs the
// four engine stages and says whether the report opens.

#include "engine/messages.h"
#include "engine/sizing_case.h"

#include <array>
#include <string>

namespace keld {

// The entries of the sheet that a calculation reads: the texts of the fields
// Text1 to Text12 (text[1] .. text[12]; text[0] is unused), the selection
// states of the three service options (Condensing, Gas Cooling, Liquid
// Cooling) and the text of the fluid list. The unit system is the record's
// ENGLISH flag.
struct SheetEntries {
    std::array<std::string, 13> text;
    std::array<bool, 3> service{};
    std::string fluid;
};

// Service captions by option index.
inline constexpr std::array<const char*, 3> kServiceCaptions = {"Condensing", "Gas Cooling",
                                                                "Liquid Cooling"};

extern const char* const kCompletionMessage;

// Runs one calculation into `c`, showing its messages through `messages`.
// Returns true when every entry passed and every stage completed, that is when
// the report opens. After a failure the record keeps the fields read before
// it (the failing field holds the value just read, in English units).
bool Calculate_Output(const SheetEntries& entries, SizingCase& c, MessageSink& messages);

} // namespace keld
