#pragma once
// The calculation driver: reads the sheet's entries in a fixed order, checks
// each as it is read, converts Metric entries into English units, runs the
// four engine stages and says whether the report opens.

#include "engine/entries.h"
#include "engine/messages.h"
#include "engine/sizing_case.h"
#include "text/number.h"

#include <array>
#include <optional>
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

// The entries of a sweep that stay the same from one alternative to the
// next (everything but the tube length and the rows), read and checked once.
struct PreparedEntries {
    std::optional<std::string> failure; // the message of a check before the tube length
    SizingCase record;                  // as those checks leave it
    NumberReading priceFactor;          // the price factor read
};
PreparedEntries prepareEntries(const SheetEntries& entries, const SizingCase& start);

// The same calculation as Calculate_Output for entries that differ from the
// prepared ones in the tube length and the rows alone (and a record that may
// differ in its material): the same messages, the same figures.
bool Calculate_Output(const PreparedEntries& prepared, const SheetEntries& entries, SizingCase& c,
                      MessageSink& messages);

} // namespace keld
