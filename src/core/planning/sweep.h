#pragma once
// The design space of one case: the case sized for every row count 3 to 10
// (the rows kept as given), every tube length and every material asked for,
// each alternative exactly as the sheet calculates it, with its fans, noise
// and cost of ownership, ranked.

#include "planning/planning.h"
#include "sheet/sheet.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keld::planning {

inline constexpr int kSweepRowsFirst = 3;
inline constexpr int kSweepRowsLast = 10;
inline constexpr int kSweepRowCounts = kSweepRowsLast - kSweepRowsFirst + 1;
inline constexpr std::size_t kMostLengths = 100000;

// Tube lengths from..to by step (in a case's units), each written as the
// sheet would take it; none, with the reason, for a range that gives none or
// too many.
std::optional<std::vector<double>> lengthRange(double from, double to, double step,
                                               std::string& error);

// The default lengths in a case's units: 8 to 60 ft by 2, or 2.5 to 18 m by 0.5.
std::vector<double> defaultLengths(bool english);

// What an alternative's figures are ranked by.
enum class Rank { Price, Evaluated, Noise, FanPower, Weight };

// The figures of an alternative that the sweep shows, in English units.
struct AlternativeFigures {
    double width = 0;         // ft
    double faceArea = 0;      // sq ft
    double fanPower = 0;      // hp
    double weight = 0;        // lb
    double price = 0;         // US$
    double evaluatedCost = 0; // US$ (not a number without a cost of ownership)
    double soundPressure = 0; // dB(A) at the listener (not a number without fans)
};

double rankFigure(const AlternativeFigures& f, Rank rank);

struct Alternative {
    double length = 0;             // as typed, in the case's units
    AlternativeFigures figures;    // when ok
    std::uint32_t lengthIndex = 0; // its place in the sweep's lengths
    std::uint16_t message = 0;     // when not ok: its message in SweepResult::messages
    std::uint8_t rows = 0;
    std::uint8_t material = 0;
    bool ok = false;
};

struct SweepRequest {
    std::vector<double> lengths;        // in the case's units, as typed
    std::vector<std::size_t> materials; // empty: the case's own
    Options options;                    // for the fans, noise and cost of ownership
    Rank rank = Rank::Price;
    unsigned threads = 1;
};

// Lets another thread follow a running sweep and stop it.
struct SweepControl {
    std::atomic<std::size_t> done{0}; // alternatives sized so far
    std::atomic<bool> cancel{false};  // set to stop the sweep soon
};

struct SweepResult {
    std::vector<Alternative> all;          // in sweep order: material, rows, length
    std::vector<std::uint32_t> ranked;     // the feasible ones, best first
    std::vector<std::uint32_t> infeasible; // in sweep order
    std::vector<std::string> messages;     // of the infeasible ones, each once
    // Indexes into all.
    std::optional<std::uint32_t> cheapest, lightest, leastPower, leastEvaluated;
    bool english = true;    // the case's units (lengths are in them)
    bool cancelled = false; // stopped before the end: nothing else holds
};

// The number of alternatives of a request for a case.
std::size_t alternativeCount(const Sheet& base, const SweepRequest& request);

// The sweep of the case (the sheet after its start-up and File, Open, or as
// the user left it). Its threads share nothing but a counter of the work
// handed out; no alternative allocates memory.
SweepResult sweep(const Sheet& base, const SweepRequest& request, SweepControl* control = nullptr);

// A sweep length as the sweep types it into the sheet's tube-length field.
std::string lengthText(double length);

} // namespace keld::planning
