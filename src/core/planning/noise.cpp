#include "planning/noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace keld::planning {
namespace {

constexpr double kSoundPowerBaseDbA = 56;
constexpr double kTipSpeedDbPerDecade = 30;
constexpr double kReferenceTipSpeedFtMin = 1000;
constexpr double kFanPowerDbPerDecade = 10;
constexpr double kSourcesDbPerDecade = 10;
constexpr double kDistanceDbPerDecade = 20;
constexpr double kReferenceDistanceM = 1;
constexpr double kHemisphereLossDb = 8;
// The near field: at most a hemisphere of 1 m, 2π sq m.
constexpr double kLeastNearFieldAreaSqM = 2 * std::numbers::pi;

} // namespace

double soundPowerPerFan(double tipSpeedFtMin, double horsepowerPerFan) {
    return kSoundPowerBaseDbA +
           kTipSpeedDbPerDecade * std::log10(tipSpeedFtMin / kReferenceTipSpeedFtMin) +
           kFanPowerDbPerDecade * std::log10(horsepowerPerFan);
}

double soundPowerOfFans(double perFanDbA, std::int64_t fans) {
    return perFanDbA + kSourcesDbPerDecade * std::log10(static_cast<double>(fans));
}

double soundPressureAt(double soundPowerDbA, double distanceM) {
    return soundPowerDbA - kDistanceDbPerDecade * std::log10(distanceM / kReferenceDistanceM) -
           kHemisphereLossDb;
}

double nearFieldAt(double soundPowerPerFanDbA, double diameterM) {
    const double sweptArea = std::numbers::pi * diameterM * diameterM / 4;
    return soundPowerPerFanDbA - 10 * std::log10(std::max(sweptArea, kLeastNearFieldAreaSqM));
}

double tipSpeedFor(double limitDbA, double figureDbA, double tipSpeedFtMin) {
    return tipSpeedFtMin * std::pow(10.0, (limitDbA - figureDbA) / kTipSpeedDbPerDecade);
}

} // namespace keld::planning
