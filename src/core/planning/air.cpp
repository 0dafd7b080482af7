#include "planning/air.h"

#include <cmath>

namespace keld::planning {
namespace {

constexpr double kStandardAirLbFt3 = 0.075;
constexpr double kStandardAirRankine = 529.67; // 70 °F
constexpr double kRankineAtZeroF = 459.67;
constexpr double kMinutesPerHour = 60;

} // namespace

double airDensityLbFt3(double temperatureF) {
    return kStandardAirLbFt3 * kStandardAirRankine / (temperatureF + kRankineAtZeroF);
}

std::optional<AirSide> airSide(const SizingCase& c, std::optional<std::int64_t> fans) {
    AirSide a;
    a.faceAreaSqFt = c.AFACE;
    a.faceVelocityFtMin = c.FACEVELOCITY;
    a.bundleFaceSqFt = c.XWIDTH * c.LENGTH;
    a.densityInletLbFt3 = airDensityLbFt3(c.TAIRIN);
    const double poundsPerMinute = c.MAIR / kMinutesPerHour;
    a.volumeInletAcfm = poundsPerMinute / a.densityInletLbFt3;
    a.volumeOutletAcfm = poundsPerMinute / airDensityLbFt3(c.TAIROUT);
    a.volumeAtFansAcfm = isTrue(c.DRAFT) ? a.volumeInletAcfm : a.volumeOutletAcfm;
    if (fans && *fans > 0) {
        a.volumePerFanAcfm = a.volumeAtFansAcfm / static_cast<double>(*fans);
    }
    a.approachF = c.THOTOUT - c.TAIRIN;
    for (const double v : {a.faceAreaSqFt, a.faceVelocityFtMin, a.bundleFaceSqFt,
                           a.densityInletLbFt3, a.volumeInletAcfm, a.volumeOutletAcfm,
                           a.volumeAtFansAcfm, a.volumePerFanAcfm.value_or(0), a.approachF}) {
        if (!std::isfinite(v)) {
            return std::nullopt;
        }
    }
    return a;
}

} // namespace keld::planning
