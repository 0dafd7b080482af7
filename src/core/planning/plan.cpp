#include "planning/plan.h"

#include "planning/limits.h"
#include "planning/motors.h"
#include "planning/noise.h"
#include "text/number.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace keld::planning {
namespace {

// Tubes longer than this are hard to transport by road.
constexpr double kLongestUsualTubeFt = 50;
// The slowest tip speed an air-cooler fan is chosen for.
constexpr double kSlowestTipSpeedFtMin = 5000;

bool allFinite(std::initializer_list<double> values) {
    for (const double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

// A number as a note writes it: up to `decimals` decimals, no trailing zeros.
std::string number(double x, int decimals = 2) {
    return formatPlainDecimal(readNumber(formatFixed(x, decimals)).value_or(x));
}

// A length, in the units of a system: "20 ft", "6.1 m".
std::string length(double ft, UnitSystem units) {
    return units == UnitSystem::English
               ? number(ft) + " ft"
               : number(units::toMetric(units::Quantity::Length, ft)) + " m";
}

std::string speed(double ftMin, UnitSystem units) {
    return units == UnitSystem::English
               ? number(ftMin, 0) + " ft/min"
               : number(units::toMetric(units::Quantity::Speed, ftMin), 1) + " m/s";
}

std::vector<std::string> notesOf(const FanFigures& f, const SizingCase& c, const Options& o) {
    const UnitSystem u = f.units;
    std::vector<std::string> notes;
    if (!f.layout) {
        notes.push_back("No fan layout fits this bundle: fans of whole feet from " + length(4, u) +
                        " up to the largest fan diameter (" + length(o[Option::LargestFan], u) +
                        "), each with its ring clearance (" + length(o[Option::FanClearance], u) +
                        "), cannot cover 40 % of the face in bays of at most " + length(30, u) +
                        " with up to 50 fans per bay.");
        // A small bundle often takes a single fan: say so where it does.
        Options single = o;
        single.set(Option::FewestFans, 1);
        const std::optional<FanLayout> one =
            o[Option::FewestFans] > 1 ? layoutFans(c.XWIDTH, c.LENGTH, single) : std::nullopt;
        if (one) {
            notes.push_back("With fewer fans in all (the option \"fewest fans\"), " +
                            std::to_string(one->fans) + (one->fans > 1 ? " fans" : " fan") +
                            " of " + length(one->diameterFt, u) + " would fit.");
        }
    } else if (!f.motorRating) {
        notes.push_back("A fan takes more than the largest standard motor (" +
                        number(largestMotorRating(u)) + " " + motorRatingUnit(u) +
                        "): no motor rating is given.");
    }
    if (f.tipSpeedForLimitsFtMin && f.breaksLimits()) {
        const char* which = f.breaksListenerLimit && f.breaksNearFieldLimit
                                ? "at the listener and 1 m below a fan"
                            : f.breaksListenerLimit ? "at the listener"
                                                    : "1 m below a fan";
        notes.push_back("At a tip speed of " + speed(f.tipSpeedFtMin, u) +
                        " the fans break the noise limit " + which + "; " +
                        speed(*f.tipSpeedForLimitsFtMin, u) +
                        " is the highest tip speed that meets the limits.");
    }
    if (f.tipSpeedForLimitsFtMin && !atLeast(*f.tipSpeedForLimitsFtMin, kSlowestTipSpeedFtMin)) {
        notes.push_back("Even " + speed(kSlowestTipSpeedFtMin, u) +
                        ", the slowest tip speed of air-cooler fans, breaks the noise limits: "
                        "the fans need less power each, or the limits more room.");
    }
    if (f.longTubes) {
        notes.push_back("Tubes longer than " + length(kLongestUsualTubeFt, u) +
                        " are hard to transport.");
    }
    if (f.wideBays) {
        notes.push_back("Each bay (" + length(f.layout->bayWidthFt, u) +
                        ") is wider than the tubes are long (" + length(c.LENGTH, u) + ").");
    }
    return notes;
}

} // namespace

std::optional<FanFigures> fanFigures(const SizingCase& c, const Options& o) {
    if (!(c.HORSEPOWER > 0 && std::isfinite(c.HORSEPOWER))) {
        return std::nullopt;
    }
    const double width = c.XWIDTH;
    if (!(width >= 1 && width == std::floor(width) && c.LENGTH > 0 && std::isfinite(c.LENGTH))) {
        return std::nullopt;
    }
    FanFigures f;
    f.units = unitsOf(c);
    f.tipSpeedFtMin = o[Option::TipSpeed];
    f.distanceM = o[Option::Distance];
    f.layout = layoutFans(width, c.LENGTH, o);
    f.longTubes = !atMost(c.LENGTH, kLongestUsualTubeFt);
    if (!f.layout) {
        return f;
    }
    const FanLayout& l = *f.layout;
    const double diameter = l.diameterFt;
    f.wideBays = !atMost(l.bayWidthFt, c.LENGTH);
    f.fanDiameterM = units::toMetric(units::Quantity::Length, diameter);
    f.rpm = f.tipSpeedFtMin / (std::numbers::pi * diameter);
    f.shaftPowerPerFanHp = c.HORSEPOWER / static_cast<double>(l.fans);
    f.motorPowerNeededHp = motorPowerNeededHp(f.shaftPowerPerFanHp, o);
    f.motorRating = standardMotorRating(f.motorPowerNeededHp, f.units);
    f.soundPowerPerFanDbA = soundPowerPerFan(f.tipSpeedFtMin, f.shaftPowerPerFanHp);
    f.soundPowerDbA = soundPowerOfFans(f.soundPowerPerFanDbA, l.fans);
    f.soundPressureDbA = soundPressureAt(f.soundPowerDbA, f.distanceM);
    f.nearFieldDbA = nearFieldAt(f.soundPowerPerFanDbA, f.fanDiameterM);
    const std::optional<double> listener = o.given(Option::NoiseLimit);
    const std::optional<double> nearField = o.given(Option::NearFieldLimit);
    if (listener) {
        f.tipSpeedForLimitsFtMin = tipSpeedFor(*listener, f.soundPressureDbA, f.tipSpeedFtMin);
        f.breaksListenerLimit = !atMost(f.soundPressureDbA, *listener);
    }
    if (nearField) {
        const double tip = tipSpeedFor(*nearField, f.nearFieldDbA, f.tipSpeedFtMin);
        f.tipSpeedForLimitsFtMin = std::min(tip, f.tipSpeedForLimitsFtMin.value_or(tip));
        f.breaksNearFieldLimit = !atMost(f.nearFieldDbA, *nearField);
    }
    if (!allFinite({f.fanDiameterM, f.rpm, f.shaftPowerPerFanHp, f.soundPowerPerFanDbA,
                    f.soundPowerDbA, f.soundPressureDbA, f.nearFieldDbA,
                    f.tipSpeedForLimitsFtMin.value_or(0)})) {
        return std::nullopt;
    }
    return f;
}

std::optional<FanPlan> planFans(const SizingCase& c, const Options& o) {
    std::optional<FanFigures> figures = fanFigures(c, o);
    if (!figures) {
        return std::nullopt;
    }
    FanPlan plan;
    static_cast<FanFigures&>(plan) = *figures;
    plan.notes = notesOf(plan, c, o);
    return plan;
}

Plan planCase(const SizingCase& c, const Options& o) {
    Plan p;
    p.fans = planFans(c, o);
    std::optional<std::int64_t> fans;
    if (p.fans && p.fans->layout) {
        fans = p.fans->layout->fans;
    }
    p.air = airSide(c, fans);
    p.ownership = costOfOwnership(c, o);
    return p;
}

const char* breaksLimitsReason() {
    return "The fans break a noise limit at the chosen tip speed.";
}

const char* longTubesReason(UnitSystem units) {
    return units == UnitSystem::English ? "Unusual proportions: tubes longer than 50 ft."
                                        : "Unusual proportions: tubes longer than 15.24 m.";
}

const char* wideBaysReason() {
    return "Unusual proportions: bays wider than the tubes are long.";
}

} // namespace keld::planning
