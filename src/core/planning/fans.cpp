#include "planning/fans.h"

#include "planning/limits.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace keld::planning {
namespace {

// Common practice for air-cooled exchangers: a bay is at most 30 ft wide, a
// fan serves a plot at most 1.8 bay widths long, the fans of a bay cover at
// least 40 % of its face, and fans below 4 ft are no air-cooler fans.
constexpr double kWidestBayFt = 30;
constexpr double kLongestPlotPerBayWidth = 1.8;
constexpr double kLeastCoverage = 0.40;
constexpr double kSmallestFanFt = 4;
// How far the search goes beyond the fewest bays, and the most fans a bay takes.
constexpr std::int64_t kMoreBays = 50;
constexpr std::int64_t kMostFansPerBay = 50;
// Counts stay exact in a double up to 2^53; a bundle wider than 10^15 ft (far
// beyond any calculation, whose tube count is a 32-bit number) is not planned.
constexpr double kWidestPlannedFt = 1e15;

// The smallest whole count from 1 for which `ok` holds, from a first guess
// that is at most one off.
template <class Ok> std::int64_t smallestFrom(double guess, Ok ok) {
    std::int64_t n = guess < 1 ? 1 : static_cast<std::int64_t>(std::ceil(guess));
    while (n > 1 && ok(n - 1)) {
        --n;
    }
    while (!ok(n)) {
        ++n;
    }
    return n;
}

} // namespace

std::optional<FanLayout> layoutFans(double width, double length, const Options& o) {
    if (!(width >= 1 && width <= kWidestPlannedFt && width == std::floor(width) && length > 0 &&
          length <= kWidestPlannedFt)) {
        return std::nullopt;
    }
    const auto fewest = static_cast<std::int64_t>(o[Option::FewestFans]);
    const double clearance = o[Option::FanClearance];
    const double largest = o[Option::LargestFan];
    const std::int64_t firstBays = smallestFrom(
        width / kWidestBayFt, [&](std::int64_t n) { return atMost(width / n, kWidestBayFt); });

    // Only what can hold a fan is searched: a fan is at least 4 ft, so a bay
    // narrower than 4 ft and its ring holds none (nor do the narrower bays of
    // more bays), and a plot shorter than that ends the fans of a bay; a fan is
    // at most the largest and what its bay leaves beside its ring, so a bay
    // needs the fans that such fans make cover 40 %.
    std::optional<FanLayout> best;
    for (std::int64_t n = firstBays; n <= firstBays + kMoreBays; ++n) {
        if (best && n >= best->fans) {
            break; // every layout from here has at least as many fans, and more bays
        }
        const double bayWidth = width / static_cast<double>(n);
        if (!atMost(kSmallestFanFt + clearance, bayWidth)) {
            break;
        }
        const double needed = kLeastCoverage * bayWidth * length;
        const auto covers = [&](double d, std::int64_t f) {
            return atLeast(static_cast<double>(f) * std::numbers::pi * d * d / 4, needed);
        };
        double widest = std::floor(std::min(largest, bayWidth - clearance)) + 1;
        while (widest >= kSmallestFanFt &&
               !(atMost(widest, largest) && atMost(widest + clearance, bayWidth))) {
            --widest;
        }
        if (widest < kSmallestFanFt) {
            break;
        }
        const std::int64_t shortPlots =
            smallestFrom(length / (kLongestPlotPerBayWidth * bayWidth), [&](std::int64_t f) {
                return atMost(length / static_cast<double>(f), kLongestPlotPerBayWidth * bayWidth);
            });
        const std::int64_t enoughFans = (fewest + n - 1) / n;
        const std::int64_t enoughArea =
            smallestFrom(needed / (std::numbers::pi * widest * widest / 4),
                         [&](std::int64_t f) { return covers(widest, f); });
        for (std::int64_t f = std::max({shortPlots, enoughFans, enoughArea}); f <= kMostFansPerBay;
             ++f) {
            const double plotLength = length / static_cast<double>(f);
            if ((best && n * f >= best->fans) || !atMost(kSmallestFanFt + clearance, plotLength)) {
                break;
            }
            const double d = std::max(
                kSmallestFanFt,
                static_cast<double>(smallestFrom(
                    std::sqrt(4 * needed / (std::numbers::pi * static_cast<double>(f))),
                    [&](std::int64_t whole) { return covers(static_cast<double>(whole), f); })));
            if (atMost(d + clearance, bayWidth) && atMost(d + clearance, plotLength) &&
                atMost(d, largest)) {
                FanLayout l;
                l.bays = n;
                l.fansPerBay = f;
                l.fans = n * f;
                l.bayWidthFt = bayWidth;
                l.plotLengthFt = plotLength;
                l.diameterFt = static_cast<int>(d);
                l.coverage =
                    static_cast<double>(l.fans) * std::numbers::pi * d * d / 4 / (width * length);
                l.plenumDepthFt = std::max(0.0, (plotLength - d) / 2);
                best = l;
                break; // more fans in this bay only add fans
            }
        }
    }
    return best;
}

} // namespace keld::planning
