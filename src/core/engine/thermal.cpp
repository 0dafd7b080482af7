#include "engine/thermal.h"

#include "engine/fault.h"
#include "units/units.h"

#include <cmath>

namespace keld {

const char* const kBracketMessage = "Error in root calculation, root must be bracketed.\n"
                                    "Reset calculations sheet and try again.\n"
                                    "If this fails, call Vendrel Products at (555) 014-2701.";
const char* const kIterationsMessage = "Maximum iterations exceeded.\n"
                                       "Reset calculations sheet and try again.\n"
                                       "It this fails, call Vendrel Products at (555) 014-2701.";

RowChoice rowsForIndex(double rowIndex) {
    for (const RowRule& rule : kRowRules) {
        if (rowIndex < rule.indexBelow) {
            return rule.choice;
        }
    }
    return kRowRules.back().choice; // an index that is no number
}

std::int32_t velocityForRows(std::int32_t rows) {
    for (const RowRule& rule : kRowRules) {
        if (rows <= rule.choice.rows) {
            return rule.choice.velocity;
        }
    }
    return kRowRules.back().choice.velocity;
}

std::optional<std::string> rootFailure(RootStatus status) {
    switch (status) {
    case RootStatus::Converged:
        return std::nullopt;
    case RootStatus::NotBracketed:
        return kBracketMessage;
    case RootStatus::TooManyRounds:
        return kIterationsMessage;
    }
    return std::nullopt;
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

std::optional<std::string> SizeBundle(SizingCase& c) {
    FaultLog log;
    store(c.PHOT, (c.THOTIN - c.THOTOUT) / (c.THOTIN - c.TAIRIN), &log,
          "temperature effectiveness");
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
    const RootResult root = hotIsSmaller ? FindRoot([&c](double x) { return ResidualHotMin(c, x); },
                                                    kBracketLow, kBracketHigh, kSolverTolerance)
                                         : FindRoot([&c](double x) { return ResidualAirMin(c, x); },
                                                    kBracketLow, kBracketHigh, kSolverTolerance);
    c.CRATIO = root.root;
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
    storeInt32(c.TUBESPERROW, std::floor(c.XWIDTH * c.TUBESPERFOOT + 1), &log,
               "number of tubes per row");
    storeInt32(c.TUBESTOTAL,
               static_cast<double>(static_cast<std::int64_t>(c.TUBESPERROW) * c.NROWS), &log,
               "number of tubes");
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
    store(c.TAIROUT, c.QTOTAL / (c.MAIR * kAirSpecificHeat) + c.TAIRIN, &log,
          "air outlet temperature");
    if (std::optional<std::string> failure = rootFailure(root.status)) {
        return failure;
    }
    if (log.any()) {
        return stageFaultMessage(log.first());
    }
    return std::nullopt;
}

std::optional<RowChoice> RecommendRows(SizingCase& c, double hotIn, double hotOut, double airIn,
                                       double coefficient) {
    c.ROWSFIXED = false;
    if (!isTrue(c.ENGLISH)) {
        hotIn = units::toEnglish(units::Quantity::Temperature, hotIn);
        hotOut = units::toEnglish(units::Quantity::Temperature, hotOut);
        airIn = units::toEnglish(units::Quantity::Temperature, airIn);
        coefficient = units::toEnglish(units::Quantity::Coefficient, coefficient);
    }
    const double p = (hotIn - hotOut) / (hotIn - airIn);
    const double index = 100 * p / coefficient;
    if (!std::isfinite(p) || !std::isfinite(index)) {
        return std::nullopt;
    }
    return rowsForIndex(index);
}

} // namespace keld
