#include "planning/ownership.h"

#include "planning/motors.h"

#include <cmath>

namespace keld::planning {

std::optional<Ownership> costOfOwnership(const SizingCase& c, const Options& o) {
    Ownership w;
    w.driveEfficiency = o[Option::DriveEfficiency];
    w.motorEfficiency = o[Option::MotorEfficiency];
    w.electricalPowerKw = electricalPowerKw(c.HORSEPOWER, o);
    w.energyPricePerKwh = o[Option::EnergyPrice];
    w.hoursPerYear = o[Option::Hours];
    // Checked years are whole and from 1 to 100; anything else is refused below.
    const double years = o[Option::Years];
    w.years = years >= 1 && years <= 100 ? static_cast<int>(years) : 0;
    w.rate = o[Option::Rate];
    w.energyCostPerYear = w.electricalPowerKw * w.hoursPerYear * w.energyPricePerKwh;
    // Present value of a level annuity: yearly · (1 − (1 + i)^(−n)) / i, and
    // yearly · n at i = 0; written with log1p and expm1 so that a tiny rate
    // tends to n instead of cancelling to 0.
    const double n = w.years;
    const double i = w.rate;
    const double factor = i == 0 ? n : -std::expm1(-n * std::log1p(i)) / i;
    w.energyPresentValue = w.energyCostPerYear * factor;
    w.evaluatedCost = c.COSTTOTAL + w.energyPresentValue;
    if (!(i >= 0) || w.years < 1 || !std::isfinite(w.electricalPowerKw) ||
        !std::isfinite(w.energyPricePerKwh) || !std::isfinite(w.hoursPerYear) ||
        !std::isfinite(w.rate) || !std::isfinite(w.energyCostPerYear) ||
        !std::isfinite(w.energyPresentValue) || !std::isfinite(w.evaluatedCost)) {
        return std::nullopt;
    }
    return w;
}

} // namespace keld::planning
