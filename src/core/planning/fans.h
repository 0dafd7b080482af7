#pragma once
// The fans of a finished bundle: how it is split into bays, how many fans of
// which diameter it takes, how fast they turn and the noise they make.
//
// The face the fans cover is the bundle as built, XWIDTH · LENGTH (a little
// more than AFACE, as the width is rounded up to whole feet).

#include "engine/sizing_case.h"
#include "planning/options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keld::planning {

struct FanPlan {
    std::int64_t bays = 0;
    std::int64_t fansPerBay = 0;
    std::int64_t fans = 0;
    int fanDiameterFt = 0; // whole feet
    double fanDiameterM = 0;
    double coverage = 0; // all fans' area over the bundle face, a fraction
    double tipSpeedFtMin = 0;
    double rpm = 0;
    double soundPowerPerFanDbA = 0;
    double soundPowerDbA = 0; // all fans together
    double distanceM = 0;
    double soundPressureDbA = 0;    // at distanceM over reflecting ground
    std::vector<std::string> notes; // what was changed in the layout, and why
};

// The fan plan of a finished record; none when the record holds no finished
// bundle (a width that is not a whole number of feet from 1 ft up, no tube
// length, no fan power) or a figure would not be a number.
std::optional<FanPlan> planFans(const SizingCase& c, const Options& o);

} // namespace keld::planning
