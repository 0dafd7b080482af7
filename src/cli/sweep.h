#pragma once
// keld-size --sweep: one case over rows, tube lengths and materials, the
// best first. The sweep and its table are the core's; here are the command
// line's parts of it.

#include "case_run.h"
#include "sweep/sweep.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace keld::cli {

// "--materials": the names it accepts ("all" and the list's), and the list
// positions of the names given (checked and spelt as the list spells them by
// the option's validator).
std::vector<std::string> materialNames();
std::vector<std::size_t> materialPositions(const std::vector<std::string>& names);

struct SweepOptions {
    std::string lengths;                // "--lengths" as given; empty: the default lengths
    std::vector<std::size_t> materials; // list positions; empty: the file's own
    bool csv = false;
    UnitSystem units = UnitSystem::English; // of the table
    sweep::Rank rank = sweep::Rank::Price;
    bool usualOnly = false;
};

// Sweeps the file and prints its table to `out`, a refusal to `err`. The
// exit status: 0 with a feasible alternative, 1 without, 2 for a file or an
// option that cannot be used.
int runSweep(const Sheet& started, const std::string& file, RunOptions options,
             const SweepOptions& sweepOptions, std::ostream& out, std::ostream& err);

// Tube lengths from "--lengths": "8:60:2" (from, to, step) or "20,24,30".
// None, with a message, for a text that is neither.
std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error);

} // namespace keld::cli
