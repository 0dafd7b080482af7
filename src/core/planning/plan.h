#pragma once
// The planning layer on top of a finished calculation: the fans (their
// layout, motors and noise), the air side and the cost of ownership. It
// reads the record and never changes it or any figure of the estimate.

#include "engine/sizing_case.h"
#include "planning/air.h"
#include "planning/fans.h"
#include "planning/options.h"
#include "planning/ownership.h"

#include <optional>
#include <string>
#include <vector>

namespace keld::planning {

// The figures of the fans, without words: what a sweep computes for every
// alternative. The figures after `layout` hold only with a layout.
struct FanFigures {
    std::optional<FanLayout> layout;
    UnitSystem units = UnitSystem::English; // of the case: the motor rating's
    double tipSpeedFtMin = 0;
    double distanceM = 0;
    double fanDiameterM = 0;
    double rpm = 0;
    double shaftPowerPerFanHp = 0;
    double motorPowerNeededHp = 0;     // per fan, with the margin and the drive
    std::optional<double> motorRating; // hp or kW by `units`; none above the largest
    double soundPowerPerFanDbA = 0;
    double soundPowerDbA = 0;    // all fans together
    double soundPressureDbA = 0; // at distanceM over reflecting ground
    double nearFieldDbA = 0;     // 1 m below a fan
    // The highest tip speed that meets every noise limit given; none without
    // a limit. Not cut to the range of tip speeds.
    std::optional<double> tipSpeedForLimitsFtMin;
    bool breaksListenerLimit = false;
    bool breaksNearFieldLimit = false;
    // Proportions a specialist would look at twice.
    bool longTubes = false; // tubes longer than 50 ft are hard to transport
    bool wideBays = false;  // a bay wider than the tubes are long

    bool breaksLimits() const { return breaksListenerLimit || breaksNearFieldLimit; }
    bool unusual() const { return longTubes || wideBays; }
};

// The fan figures of a finished record; none when the record holds no
// finished bundle (a width that is not a whole number of feet from 1 ft up,
// no tube length, no fan power) or a figure would not be a number.
std::optional<FanFigures> fanFigures(const SizingCase& c, const Options& o);

// The fans with their notes: what a specialist should know of the layout,
// the motors, the noise limits and the proportions, in the case's units.
struct FanPlan : FanFigures {
    std::vector<std::string> notes;
};
std::optional<FanPlan> planFans(const SizingCase& c, const Options& o);

struct Plan {
    std::optional<FanPlan> fans;
    std::optional<AirSide> air;
    std::optional<Ownership> ownership;
};

Plan planCase(const SizingCase& c, const Options& o);

// Why a sweep leaves an alternative out: its noise breaks a limit given, or
// (when only usual proportions are asked for) its proportions are unusual;
// one fixed sentence each, in the units of a system.
const char* breaksLimitsReason();
const char* longTubesReason(UnitSystem units);
const char* wideBaysReason();

} // namespace keld::planning
