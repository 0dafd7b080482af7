#include "engine/thermal.h"

#include "engine/fault.h"

#include <cmath>

namespace keld {

const char* const kBracketMessage = "Error in root calculation, root must be bracketed.\n"
                                    "Reset calculations sheet and try again.\n"
                                    "If this fails, call Vendrel Products at (555) 014-2701.";
const char* const kIterationsMessage = "Maximum iterations exceeded.\n"
                                       "Reset calculations sheet and try again.\n"
                                       "It this fails, call Vendrel Products at (555) 014-2701.";

RowChoice rowsForIndex(double rowIndex) {
    if (rowIndex < 0.45) {
        return {4, 650};
    }
    if (rowIndex < 0.6) {
        return {5, 600};
    }
    if (rowIndex < 0.75) {
        return {6, 550};
    }
    if (rowIndex < 0.9) {
        return {8, 450};
    }
    return {10, 400};
}

std::int32_t velocityForRows(std::int32_t rows) {
    if (rows <= 4) {
        return 650;
    }
    if (rows == 5) {
        return 600;
    }
    if (rows == 6) {
        return 550;
    }
    if (rows <= 8) {
        return 450;
    }
    return 400;
}

// In both residuals a statement that faults is abandoned: E then keeps its
// initial 0, and a result that cannot be computed is 0.
double ResidualAirMin(const SizingCase& c, double x) {
    double e = 0;
    store(e, std::exp(-c.NTUAIR * (1 - x)));
    double result = 0;
    store(result, c.PHOT / x - (1 - e) / (1 - x * e));
    return result;
}

double ResidualHotMin(const SizingCase& c, double x) {
    double e = 0;
    store(e, std::exp(-c.NTUAIR * (1 - x) / x));
    double result = 0;
    store(result, c.PHOT - (1 - e) / (1 - x * e));
    return result;
}

void FindRoot(const SizingCase& cs, double& root, int selector, double x1, double x2, double tol,
              std::string& failure) {
    const auto f = [&](double x) {
        return selector < 0 ? ResidualHotMin(cs, x) : ResidualAirMin(cs, x);
    };
    double a = x1;
    double b = x2;
    double c = 0;
    double d = 0;
    double e = 0;
    double fa = f(a);
    double fb = f(b);
    double fc = 0;
    if (fa * fb >= 0) {
        failure = kBracketMessage;
    }
    fc = fb;
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
            root = b;
            return;
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
                store(d, p / q);
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
    }
    failure = kIterationsMessage;
    root = b;
}

void SizeBundle(SizingCase& c, std::string& failure) {
    FaultLog log;
    store(c.PHOT, (c.THOTIN - c.THOTOUT) / (c.THOTIN - c.TAIRIN), &log, "temperature effectiveness");
    store(c.ROWINDEX, c.PHOT * 100 / c.UOVERALL, &log, "row-selection index");
    if (isTrue(c.ROWSFIXED)) {
        c.FACEVELOCITY = velocityForRows(c.NROWS);
    } else {
        const RowChoice choice = rowsForIndex(c.ROWINDEX);
        c.NROWS = choice.rows;
        c.FACEVELOCITY = choice.velocity;
    }
    c.TUBESPERFOOT = 12 / kTubePitch;
    c.ATUBEPERFOOT = kPi * kTubeDiameter / 12;
    store(c.NTUAIR,
          (c.TUBESPERFOOT * c.NROWS * c.ATUBEPERFOOT) /
              (kAirDensity * kMinutesPerHour * kAirSpecificHeat * c.FACEVELOCITY / c.UOVERALL),
          &log, "number of transfer units");
    double d = 0;
    store(d, c.NTUAIR / (1 + c.NTUAIR) - c.PHOT, &log, "number of transfer units");
    const bool hotIsSmaller = d < 0;
    FindRoot(c, c.CRATIO, hotIsSmaller ? -1 : 1, kBracketLow, kBracketHigh, kSolverTolerance,
             failure);
    const double hotDrop = c.THOTIN - c.THOTOUT;
    if (hotIsSmaller) {
        store(c.AFACE,
              c.QTOTAL / (c.FACEVELOCITY * kAirDensity * kMinutesPerHour * kAirSpecificHeat *
                          c.CRATIO * hotDrop),
              &log, "face area");
    } else {
        store(c.AFACE,
              c.QTOTAL * c.CRATIO /
                  (c.FACEVELOCITY * kAirDensity * kMinutesPerHour * kAirSpecificHeat * hotDrop),
              &log, "face area");
    }
    store(c.XWIDTH, std::floor(c.AFACE / c.LENGTH + 1), &log, "bundle width");
    storeInt32(c.TUBESPERROW, std::floor(c.XWIDTH * c.TUBESPERFOOT + 1), &log, "number of tubes per row");
    storeInt32(c.TUBESTOTAL, static_cast<double>(static_cast<std::int64_t>(c.TUBESPERROW) * c.NROWS),
               &log, "number of tubes");
    store(c.ATUBEBARETOTAL, c.TUBESTOTAL * c.LENGTH * c.ATUBEPERFOOT, &log, "bare tube surface");
    store(c.ATUBEFINTOTAL, c.ATUBEBARETOTAL * kFinRatio, &log, "finned surface");
    double hotRate = 0;
    store(hotRate, c.QTOTAL / hotDrop, &log, "hot fluid capacity rate");
    if (hotIsSmaller) {
        store(c.MAIR, hotRate / (c.CRATIO * kAirSpecificHeat), &log, "air flow");
        c.EFFECTIVENESS = c.PHOT;
    } else {
        store(c.MAIR, hotRate * c.CRATIO / kAirSpecificHeat, &log, "air flow");
        store(c.EFFECTIVENESS, c.PHOT / c.CRATIO, &log, "effectiveness");
    }
    store(c.TAIROUT, c.QTOTAL / (c.MAIR * kAirSpecificHeat) + c.TAIRIN, &log, "air outlet temperature");
    if (log.any() && failure == " ") {
        failure = stageFaultMessage(log.first());
    }
}

std::optional<RowChoice> RecommendRows(SizingCase& c, double hotIn, double hotOut, double airIn,
                                       double coefficient) {
    c.ROWSFIXED = false;
    if (!isTrue(c.ENGLISH)) {
        hotIn = hotIn * 1.8 + 32;
        hotOut = hotOut * 1.8 + 32;
        airIn = airIn * 1.8 + 32;
        coefficient = coefficient * 0.17612;
    }
    const double p = (hotIn - hotOut) / (hotIn - airIn);
    const double index = 100 * p / coefficient;
    if (!std::isfinite(p) || !std::isfinite(index)) {
        return std::nullopt;
    }
    return rowsForIndex(index);
}

} // namespace keld
