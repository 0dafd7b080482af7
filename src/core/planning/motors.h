#pragma once
// The fans' motors and the electrical power they draw.
//
// A motor drives one fan through a drive (belts or gears; 1 for a direct
// drive). Its rating is the fan's shaft power times the motor margin (a
// fixed-pitch fan takes more power in dense winter air), over the drive
// efficiency, rounded up to the next standard rating: NEMA horsepower on an
// English case, IEC kilowatts on a Metric one.

#include "planning/options.h"
#include "units/units.h"

#include <optional>

namespace keld::planning {

// The motor power a fan needs, hp: its shaft power times the margin, over
// the drive efficiency.
double motorPowerNeededHp(double shaftHpPerFan, const Options& o);
// The standard rating that power takes in the units of a system (hp or kW):
// the next one up, or the one it equals; none above the largest (300 hp,
// 250 kW).
std::optional<double> standardMotorRating(double neededHp, UnitSystem units);
// The largest standard rating in the units of a system.
double largestMotorRating(UnitSystem units);
// "hp" or "kW".
const char* motorRatingUnit(UnitSystem units);

// The electrical power of all fans, kW: the shaft power over the drive and
// motor efficiencies.
double electricalPowerKw(double shaftHp, const Options& o);

} // namespace keld::planning
