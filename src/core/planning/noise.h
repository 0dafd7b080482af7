#pragma once
// The noise of the fans: the usual planning correlation for the sound power
// of axial fans, its spreading over reflecting ground, and the sound
// pressure close below a fan.

#include <cstdint>

namespace keld::planning {

// Sound power of one fan, dB(A):
// PWL = 56 + 30 · log10(tip speed / 1000 ft/min) + 10 · log10(shaft power in hp).
double soundPowerPerFan(double tipSpeedFtMin, double horsepowerPerFan);

// Sound power of equal fans together: + 10 · log10(count).
double soundPowerOfFans(double perFanDbA, std::int64_t fans);

// Sound pressure at a distance from a source on reflecting ground (a
// hemisphere): SPL = PWL − 20 · log10(r / 1 m) − 8 dB. It holds from about
// the unit's length away, where the fans act as one source.
double soundPressureAt(double soundPowerDbA, double distanceM);

// Sound pressure 1 m below a fan (the near field): the fan's sound power
// spread over its swept area, and never over more than a hemisphere of 1 m:
// PWL − 10 · log10(max(π d² / 4, 2π)), d in metres.
double nearFieldAt(double soundPowerPerFanDbA, double diameterM);

// The tip speed at which a figure that grows as 30 · log10(tip speed) equals
// its limit, given the figure at `tipSpeedFtMin`: the highest tip speed that
// meets the limit, the fan power held as it is.
double tipSpeedFor(double limitDbA, double figureDbA, double tipSpeedFtMin);

} // namespace keld::planning
