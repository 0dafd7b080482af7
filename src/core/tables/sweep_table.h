#pragma once
// A sweep's alternatives as a table: the columns keld-size --sweep prints
// and the Alternatives window shows, as text or CSV.

#include "sweep/sweep.h"
#include "tables/summary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace keld::sweep {

// The marks of an alternative: "cheapest", "lightest", "lowest fan power",
// "lowest evaluated cost", joined by commas.
std::string marks(const Result& result, std::uint32_t index);

// A length the sweep typed into the sheet, in the table's units.
double lengthShown(const Result& result, double typed, UnitSystem units);

// A length as the Alternatives window shows it: in the sweep's own units
// with as many decimals as its lengths were typed with (60 for a step of 2,
// 30.25 for one of 0.25); in the other units, three significant figures.
std::string lengthCell(const Result& result, double typed, UnitSystem units);

// The summary of an alternative for the summary columns.
CaseSummary summarize(const Alternative& a);

// The figure columns of an alternative, after its rank, rows, length and
// material, and before its marks.
const std::vector<const SummaryColumn*>& sweepColumns();
Column lengthHeading(UnitSystem units);

// The alternatives ranked, then the infeasible ones with their messages.
std::string sweepText(const Result& result, UnitSystem units);
std::string sweepCsv(const Result& result, UnitSystem units);

} // namespace keld::sweep
