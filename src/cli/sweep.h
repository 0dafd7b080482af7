#pragma once
// A design sweep: one case over rows, tube lengths and materials, ranked by
// price.

#include "case_run.h"
#include "figures.h"

#include <optional>
#include <string>
#include <vector>

namespace keld::cli {

// Tube lengths from "--lengths": "8:60:2" (from, to, step) or "20,24,30".
// None, with a message, for a text that is neither.
std::optional<std::vector<double>> parseLengths(const std::string& text, std::string& error);

// The default lengths in a case's units: 8 to 60 ft by 2, or 2.5 to 18 m by 0.5.
std::vector<double> defaultLengths(bool english);

struct SweepCase {
    int rows = 0;
    double length = 0;           // in the file's units, as typed into the sheet
    std::size_t lengthIndex = 0; // its place in the sweep's lengths
    std::size_t material = 0;
    bool ok = false;
    std::string message;
    CaseFigures figures;
};

// What the alternatives are ranked by: price, evaluated cost (price and the
// present value of the fan energy), or sound pressure at the listener.
enum class Rank { Price, Evaluated, Noise };

struct SweepResult {
    std::vector<SweepCase> feasible;   // ranked, the best first
    std::vector<SweepCase> infeasible; // in sweep order
    // Indexes into feasible.
    std::optional<std::size_t> cheapest, lightest, leastPower, leastEvaluated;
    bool english = true; // the file's units (lengths are in them)
};

// Sizes the loaded case for every row count 3 to 10 (rows fixed), every
// length and every material given (the case's own when the list is empty),
// each exactly as the sheet would with those entries, on `threads` threads,
// with the fans and the cost of ownership of each planned with `options`.
SweepResult sweep(const Sheet& base, const std::vector<double>& lengths,
                  const std::vector<std::size_t>& materials, unsigned threads,
                  const planning::Options& options = {}, Rank rank = Rank::Price);

std::string sweepText(const SweepResult& result, Units units);
std::string sweepCsv(const SweepResult& result, Units units);

} // namespace keld::cli
