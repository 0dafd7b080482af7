#include "planning/fans.h"

#include "planning/noise.h"
#include "units/units.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace keld::planning {
namespace {

using units::Quantity;

// Planning rules of common practice for air-cooled exchangers: a bay (the
// bundle width one group of fans serves) is at most 30 ft wide, a fan serves
// a plot at most 1.8 bay widths long, and the fans cover at least 40 % of the
// face they serve.
constexpr double kWidestBayFt = 30;
constexpr double kLongestPlotPerBayWidth = 1.8;
constexpr double kLeastCoverage = 0.40;

// A whole-number ratio computed through a factor such as 1.8 may come out a
// hair above the whole number it equals; the layout rules round up past that.
constexpr double kRoundingAllowance = 1e-9;

// Counts stay exact in a double up to 2^53; a bundle wider than 10^15 ft (far
// beyond any calculation, whose tube count is a 32-bit number) is not planned.
constexpr double kWidestPlannedFt = 1e15;
constexpr std::int64_t kMostCount = std::int64_t{1} << 53;
// Rounds of layout change; every finished record needs a few at most.
constexpr int kMostLayoutRounds = 64;

// The layout of the bundle's fans.
struct Layout {
    std::int64_t bays = 0;
    std::int64_t fansPerBay = 0;
    double diameterFt = 0; // the smallest whole foot that covers 40 %
    bool fits = false;     // every fan fits its plot
};

// The smallest fan count along the tubes for plots at most 1.8 bay widths long.
std::int64_t fansAlongTubes(double width, double length, std::int64_t bays) {
    const double bayWidth = width / static_cast<double>(bays);
    const double fans =
        std::ceil(length / (kLongestPlotPerBayWidth * bayWidth) - kRoundingAllowance);
    return fans < 1 ? 1 : static_cast<std::int64_t>(fans);
}

Layout layoutOf(double width, double length, std::int64_t bays, std::int64_t fansPerBay) {
    Layout l{bays, fansPerBay};
    const double bayWidth = width / static_cast<double>(bays);
    const double perBay = static_cast<double>(fansPerBay);
    const double needed = kLeastCoverage * bayWidth * length;
    const auto covers = [&](double d) { return perBay * std::numbers::pi * d * d / 4 >= needed; };
    double d = std::ceil(std::sqrt(4 * needed / (std::numbers::pi * perBay)));
    while (d > 1 && covers(d - 1)) {
        --d;
    }
    while (!covers(d)) {
        ++d;
    }
    l.diameterFt = d < 1 ? 1 : d;
    // Whole numbers times whole numbers: exact, so a fan as wide as its plot fits.
    l.fits = l.diameterFt * static_cast<double>(bays) <= width && l.diameterFt * perBay <= length;
    return l;
}

// The smallest count above `from` for which `ok` holds, where `ok` is false up
// to some count and true from there on; 0 when there is none below 2^53.
template <class Ok> std::int64_t firstAbove(std::int64_t from, Ok ok) {
    std::int64_t failing = from;
    std::int64_t step = 1;
    std::int64_t passing = from + step;
    while (!ok(passing)) {
        failing = passing;
        step *= 2;
        if (step > kMostCount - from) {
            return 0;
        }
        passing = from + step;
    }
    while (passing - failing > 1) {
        const std::int64_t mid = failing + (passing - failing) / 2;
        (ok(mid) ? passing : failing) = mid;
    }
    return passing;
}

std::string layoutNote(std::int64_t now, std::int64_t before, const char* what) {
    return std::to_string(now) + " " + what + " instead of " + std::to_string(before) +
           ", so that whole-foot fans that fit their plots cover 40 % of the face.";
}

// Bays and fans by the rules; where whole-foot fans that fit their plots
// cannot cover 40 %, plots wider than long get one more bay and the others
// one more fan per bay, until they can. A run of such steps in one direction
// is taken at once (the condition is monotonic along it), so that a bundle of
// a million feet ends as quickly as one of ten.
std::optional<Layout> arrangeFans(double width, double length, std::vector<std::string>& notes) {
    const std::int64_t firstBays = static_cast<std::int64_t>(std::ceil(width / kWidestBayFt));
    const std::int64_t firstFans = fansAlongTubes(width, length, firstBays);
    std::int64_t bays = firstBays;
    std::int64_t fansPerBay = firstFans;
    for (int round = 0; round < kMostLayoutRounds; ++round) {
        const std::int64_t ruled = fansAlongTubes(width, length, bays);
        fansPerBay = ruled > fansPerBay ? ruled : fansPerBay;
        const Layout l = layoutOf(width, length, bays, fansPerBay);
        if (l.fits) {
            if (bays != firstBays) {
                notes.push_back(layoutNote(bays, firstBays, "bays"));
            }
            if (fansPerBay != firstFans) {
                notes.push_back(layoutNote(fansPerBay, firstFans, "fans per bay"));
            }
            return l;
        }
        const double plotLength = length / static_cast<double>(fansPerBay);
        if (width / static_cast<double>(bays) > plotLength) {
            bays = firstAbove(bays, [&](std::int64_t n) {
                return width / static_cast<double>(n) <= plotLength ||
                       layoutOf(width, length, n, fansPerBay).fits;
            });
        } else {
            const double bayWidth = width / static_cast<double>(bays);
            fansPerBay = firstAbove(fansPerBay, [&](std::int64_t f) {
                return bayWidth > length / static_cast<double>(f) ||
                       layoutOf(width, length, bays, f).fits;
            });
        }
        if (bays == 0 || fansPerBay == 0) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<FanPlan> planFans(const SizingCase& c, const Options& o) {
    const double width = c.XWIDTH;
    const double length = c.LENGTH;
    const bool finished = width >= 1 && width <= kWidestPlannedFt && width == std::floor(width) &&
                          length > 0 && length <= kWidestPlannedFt && c.HORSEPOWER > 0 &&
                          std::isfinite(c.HORSEPOWER);
    const double tipSpeed = o[Option::TipSpeed];
    const double distance = o[Option::Distance];
    if (!finished || !(tipSpeed > 0) || !(distance > 0)) {
        return std::nullopt;
    }
    FanPlan p;
    const std::optional<Layout> l = arrangeFans(width, length, p.notes);
    if (!l) {
        return std::nullopt;
    }
    p.bays = l->bays;
    p.fansPerBay = l->fansPerBay;
    p.fans = l->bays * l->fansPerBay;
    p.fanDiameterFt = static_cast<int>(l->diameterFt);
    p.fanDiameterM = units::toMetric(Quantity::Length, l->diameterFt);
    const double fans = static_cast<double>(p.fans);
    p.coverage = fans * std::numbers::pi * l->diameterFt * l->diameterFt / 4 / (width * length);
    p.tipSpeedFtMin = tipSpeed;
    p.rpm = tipSpeed / (std::numbers::pi * l->diameterFt);
    p.soundPowerPerFanDbA = soundPowerPerFan(tipSpeed, c.HORSEPOWER / fans);
    p.soundPowerDbA = soundPowerOfFans(p.soundPowerPerFanDbA, p.fans);
    p.distanceM = distance;
    p.soundPressureDbA = soundPressureAt(p.soundPowerDbA, distance);
    if (!allFinite({p.fanDiameterM, p.coverage, p.rpm, p.soundPowerPerFanDbA, p.soundPowerDbA,
                    p.soundPressureDbA})) {
        return std::nullopt;
    }
    return p;
}

} // namespace keld::planning
