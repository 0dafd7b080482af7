#pragma once
// The cost of owning the cooler: its price plus the present value of the
// energy its fans' motors draw (the shaft power over the drive and motor
// efficiencies).

#include "engine/sizing_case.h"
#include "planning/options.h"

#include <optional>

namespace keld::planning {

struct Ownership {
    double driveEfficiency = 0;
    double motorEfficiency = 0;
    double electricalPowerKw = 0; // all fans
    double energyPricePerKwh = 0;
    double hoursPerYear = 0;
    int years = 0;
    double rate = 0;
    double energyCostPerYear = 0;  // US$
    double energyPresentValue = 0; // US$
    double evaluatedCost = 0;      // US$
};

// The cost of ownership of a finished record; none when a figure would not
// be a number.
std::optional<Ownership> costOfOwnership(const SizingCase& c, const Options& o);

} // namespace keld::planning
