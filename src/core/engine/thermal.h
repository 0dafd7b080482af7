#pragma once
// Thermal sizing of the tube bundle: rows and face velocity, the capacity-rate
// ratio by a bracketed root solver, and the bundle that follows from it.

#include "engine/sizing_case.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace keld {

// Bundle design constants.
inline constexpr double kAirDensity = 0.075; // lb/cu ft
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

// The rows and face velocities of the estimate. The sizing chooses the first
// row whose index bound lies above the row-selection index 100 · PHOT / U;
// a row count set by the user takes the velocity of the first row with at
// least as many rows (and 400 ft/min beyond the table).
struct RowRule {
    double indexBelow;
    RowChoice choice;
};
inline constexpr std::array<RowRule, 5> kRowRules = {{
    {0.45, {4, 650}},
    {0.6, {5, 600}},
    {0.75, {6, 550}},
    {0.9, {8, 450}},
    {std::numeric_limits<double>::infinity(), {10, 400}},
}};

// The rows and face velocity that a row-selection index calls for.
RowChoice rowsForIndex(double rowIndex);

// The face velocity for a row count set by the user.
std::int32_t velocityForRows(std::int32_t rows);

// PHOT / x − ε(NTUAIR, x): the air is the smaller stream, x = C_air / C_hot.
double ResidualAirMin(const SizingCase& c, double x);
// PHOT − ε(NTUAIR / x, x): the hot fluid is the smaller stream, x = C_hot / C_air.
double ResidualHotMin(const SizingCase& c, double x);

enum class RootStatus {
    Converged,    // within the tolerance of a root over a bracket with a sign change
    NotBracketed, // the residual has one sign at both ends; the search went on to its end
    TooManyRounds // no convergence in 100 rounds
};

struct RootResult {
    double root = 0;
    int rounds = 0; // residual evaluations after the two at the ends
    RootStatus status = RootStatus::Converged;
};

// The failure text of a search, none after a converged one.
std::optional<std::string> rootFailure(RootStatus status);

// A bracketed root search on [x1, x2] (inverse quadratic interpolation,
// secant steps and bisection). A bracket without a sign change is noted but
// the search still runs, so its end is the root taken.
template <class Residual> RootResult FindRoot(Residual&& f, double x1, double x2, double tol) {
    RootResult result;
    double a = x1;
    double b = x2;
    double c = 0;
    double d = 0;
    double e = 0;
    double fa = f(a);
    double fb = f(b);
    if (fa * fb >= 0) {
        result.status = RootStatus::NotBracketed;
    }
    double fc = fb;
    for (int round = 0; round < kSolverRounds; ++round) {
        if (fb * fc > 0) {
            c = a;
            fc = fa;
            d = b - a;
            e = d;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2 * kMachinePrecision * std::fabs(b) + 0.5 * tol;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0) {
            result.root = b;
            return result;
        }
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // |fa| > |fb| keeps fa from 0; fc is not 0 here, or b would have
            // been swapped onto it and returned above.
            const double s = fb / fa;
            double p = 0;
            double q = 0;
            if (a == c) {
                p = 2 * xm * s;
                q = 1 - s;
            } else {
                q = fa / fc;
                const double r = fb / fc;
                p = s * (2 * xm * q * (q - r) - (b - a) * (r - 1));
                q = (q - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) {
                q = -q;
            }
            p = std::fabs(p);
            if (2 * p < 3 * xm * q - std::fabs(tol1 * q) && 2 * p < std::fabs(e * q)) {
                e = d;
                // A step that would not be finite is abandoned.
                if (const double step = p / q; std::isfinite(step)) {
                    d = step;
                }
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        if (std::fabs(d) > tol1) {
            b = b + d;
        } else {
            b = b + tol1 * (xm >= 0 ? 1.0 : -1.0);
        }
        fb = f(b);
        result.rounds = round + 1;
    }
    result.status = RootStatus::TooManyRounds;
    result.root = b;
    return result;
}

// The first engine stage: rows, face velocity, capacity-rate ratio, air flow,
// face area, width, tubes, surfaces and air outlet temperature. Its failure
// text, if any: a solver failure, or a statement that could not be computed.
std::optional<std::string> SizeBundle(SizingCase& c);

// The sheet's row suggestion from the values as the sheet shows them (in its
// units, taken from c.ENGLISH). Sets ROWSFIXED to false first. No value when
// the suggestion cannot be computed (a coefficient of 0, hot inlet equal to
// air inlet).
std::optional<RowChoice> RecommendRows(SizingCase& c, double hotIn, double hotOut, double airIn,
                                       double coefficient);

} // namespace keld
