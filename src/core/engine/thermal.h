#pragma once
// Thermal sizing of the tube bundle: rows and face velocity, the capacity-rate
// ratio by a bracketed root solver, and the bundle that follows from it.

#include "engine/sizing_case.h"

#include <cstdint>
#include <optional>
#include <string>

namespace keld {

// Bundle design constants.
inline constexpr double kAirDensity = 0.075;     // lb/cu ft
inline constexpr double kMinutesPerHour = 60;
inline constexpr double kAirSpecificHeat = 0.24; // Btu/(lb °F)
inline constexpr double kTubePitch = 2.5;        // in
inline constexpr double kTubeDiameter = 1.0;     // in, outside
inline constexpr double kPi = 3.141593;          // as the estimate takes it
inline constexpr double kFinRatio = 21.2;        // finned / bare surface

// Solver settings.
inline constexpr double kBracketLow = 1e-6;
inline constexpr double kBracketHigh = 0.99999;
inline constexpr double kSolverTolerance = 1e-6;
inline constexpr double kMachinePrecision = 3e-8;
inline constexpr int kSolverRounds = 100;

// The two texts of a solver failure.
extern const char* const kBracketMessage;
extern const char* const kIterationsMessage;

struct RowChoice {
    std::int32_t rows;
    std::int32_t velocity; // ft/min
};

// The row and face velocity that the row-selection index calls for: 4 rows at
// 650 ft/min below 0.45, 5/600 below 0.6, 6/550 below 0.75, 8/450 below 0.9,
// 10/400 from 0.9 up.
RowChoice rowsForIndex(double rowIndex);

// The face velocity for a row count set by the user.
std::int32_t velocityForRows(std::int32_t rows);

// PHOT / x − ε(NTUAIR, x): the air is the smaller stream, x = C_air / C_hot.
double ResidualAirMin(const SizingCase& c, double x);
// PHOT − ε(NTUAIR / x, x): the hot fluid is the smaller stream, x = C_hot / C_air.
double ResidualHotMin(const SizingCase& c, double x);

// A bracketed root search (inverse quadratic interpolation, secant steps and
// bisection) on [x1, x2] over ResidualHotMin (selector < 0) or
// ResidualAirMin (any other selector). Writes the root; writes the failure
// text only on failure (no sign change over the bracket, or no convergence in
// 100 rounds) and otherwise leaves it untouched.
void FindRoot(const SizingCase& c, double& root, int selector, double x1, double x2, double tol,
              std::string& failure);

// The first engine stage: rows, face velocity, capacity-rate ratio, air flow,
// face area, width, tubes, surfaces and air outlet temperature.
void SizeBundle(SizingCase& c, std::string& failure);

// The sheet's row suggestion from the values as the sheet shows them (in its
// units, taken from c.ENGLISH). Sets ROWSFIXED to false first. No value when
// the suggestion cannot be computed (a coefficient of 0, hot inlet equal to
// air inlet).
std::optional<RowChoice> RecommendRows(SizingCase& c, double hotIn, double hotOut, double airIn,
                                       double coefficient);

} // namespace keld
