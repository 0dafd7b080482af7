#pragma once
// The air side of a finished case: the estimate's face area and velocity
// (of standard air), the bundle's face as built, and the actual air volume
// the fans must move at their own temperature.

#include "engine/sizing_case.h"

#include <cstdint>
#include <optional>

namespace keld::planning {

struct AirSide {
    double faceAreaSqFt = 0;      // AFACE
    double faceVelocityFtMin = 0; // FACEVELOCITY, standard air
    double bundleFaceSqFt = 0;    // XWIDTH · LENGTH
    double densityInletLbFt3 = 0;
    double volumeInletAcfm = 0;  // actual cu ft/min at the air inlet
    double volumeOutletAcfm = 0; // at the air outlet
    double volumeAtFansAcfm =
        0; // at the fans: the inlet's for forced draft, the outlet's for induced
    std::optional<double> volumePerFanAcfm; // with a fan layout
    double approachF = 0;                   // THOTOUT − TAIRIN
};

// Standard air (dry, sea level): 0.075 lb/cu ft at 70 °F, its density at
// another temperature by the gas law, ρ = 0.075 · 529.67 / (T + 459.67).
double airDensityLbFt3(double temperatureF);

// The air side of a finished record whose fans (when planned) number `fans`;
// none when a figure would not be a number.
std::optional<AirSide> airSide(const SizingCase& c, std::optional<std::int64_t> fans);

} // namespace keld::planning
