#pragma once
// A sweep's alternatives as a table: the columns keld-size --sweep prints
// and the Alternatives window shows, as text or CSV.

#include "planning/figures.h"
#include "planning/sweep.h"

#include <cstdint>
#include <string>
#include <vector>

namespace keld::planning {

// The marks of an alternative: "cheapest", "lightest", "lowest fan power",
// "lowest evaluated cost", joined by commas.
std::string marks(const SweepResult& result, std::uint32_t index);

// A length the sweep typed into the sheet, in the table's units.
double lengthShown(const SweepResult& result, double typed, Units units);

// The figures of an alternative for the figure columns.
CaseFigures figuresOf(const Alternative& a);

// The figure columns of an alternative, after its rank, rows, length and
// material, and before its marks.
const std::vector<const FigureColumn*>& sweepColumns();
Column lengthHeading(Units units);

// The alternatives ranked, then the infeasible ones with their messages.
std::string sweepText(const SweepResult& result, Units units);
std::string sweepCsv(const SweepResult& result, Units units);

} // namespace keld::planning
