#pragma once
// keld-size --sweep: the design space of one case (the sweep itself is the
// core's) as a text table or CSV.

#include "figures.h"
#include "planning/sweep.h"

#include <optional>
#include <string>
#include <vector>

namespace keld::cli {

// Tube lengths from "--lengths": "8:60:2" (from, to, step) or "20,24,30".
// None, with a message, for a text that is neither.
std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error);

// The alternatives ranked, then the infeasible ones with their messages.
std::string sweepText(const planning::SweepResult& result, Units units);
std::string sweepCsv(const planning::SweepResult& result, Units units);

} // namespace keld::cli
