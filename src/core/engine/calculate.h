#pragma once
// The calculation driver: reads the sheet's entries in a fixed order, checks
// each as it is read, converts Metric entries into English units, runs the
// four engine stages and says whether the report opens.

#include "engine/entries.h"
#include "engine/messages.h"
#include "engine/sizing_case.h"

#include <array>
#include <string>

namespace keld {

// Service captions by option index.
inline constexpr std::array<const char*, 3> kServiceCaptions = {"Condensing", "Gas Cooling",
                                                                "Liquid Cooling"};

extern const char* const kCompletionMessage;

// The outlet air temperature (°F) above which only forced draft can be used.
inline constexpr double kForcedDraftAbove = 250;

// Runs one calculation into `c`, showing its messages through `messages`.
// Returns true when every entry passed and every stage completed, that is when
// the report opens. After a failure the record keeps the fields read before
// it (the failing field holds the value just read, in English units).
bool Calculate_Output(const SheetEntries& entries, SizingCase& c, MessageSink& messages);

} // namespace keld
