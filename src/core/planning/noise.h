#pragma once
// The noise of the fans: the usual planning correlation for the sound power
// of axial fans, and its spreading over reflecting ground.

#include <cstdint>

namespace keld::planning {

// Sound power of one fan, dB(A):
// PWL = 56 + 30 · log10(tip speed / 1000 ft/min) + 10 · log10(shaft power in hp).
double soundPowerPerFan(double tipSpeedFtMin, double horsepowerPerFan);

// Sound power of equal fans together: + 10 · log10(count).
double soundPowerOfFans(double perFanDbA, std::int64_t fans);

// Sound pressure at a distance from a source on reflecting ground (a
// hemisphere): SPL = PWL − 20 · log10(r / 1 m) − 8 dB.
double soundPressureAt(double soundPowerDbA, double distanceM);

} // namespace keld::planning
