#include "planning/motors.h"

#include "planning/limits.h"

#include <array>
#include <span>

namespace keld::planning {
namespace {

// The standard ratings of induction motors: NEMA MG 1 (hp) and IEC 60072 (kW).
constexpr std::array<double, 21> kNemaHp = {1,  1.5, 2,  3,  5,   7.5, 10,  15,  20,  25, 30,
                                            40, 50,  60, 75, 100, 125, 150, 200, 250, 300};
constexpr std::array<double, 23> kIecKw = {0.75, 1.1, 1.5,  2.2, 3,   4,   5.5, 7.5,
                                           11,   15,  18.5, 22,  30,  37,  45,  55,
                                           75,   90,  110,  132, 160, 200, 250};

std::span<const double> ratings(UnitSystem units) {
    return units == UnitSystem::English ? std::span<const double>(kNemaHp)
                                        : std::span<const double>(kIecKw);
}

} // namespace

double motorPowerNeededHp(double shaftHpPerFan, const Options& o) {
    return shaftHpPerFan * o[Option::MotorMargin] / o[Option::DriveEfficiency];
}

std::optional<double> standardMotorRating(double neededHp, UnitSystem units) {
    const double needed = units::shown(units::Quantity::Power, neededHp, units);
    for (const double rating : ratings(units)) {
        if (atLeast(rating, needed)) {
            return rating;
        }
    }
    return std::nullopt;
}

double largestMotorRating(UnitSystem units) {
    return ratings(units).back();
}

const char* motorRatingUnit(UnitSystem units) {
    return units == UnitSystem::English ? "hp" : "kW";
}

double electricalPowerKw(double shaftHp, const Options& o) {
    return units::toMetric(units::Quantity::Power, shaftHp) /
           (o[Option::DriveEfficiency] * o[Option::MotorEfficiency]);
}

} // namespace keld::planning
