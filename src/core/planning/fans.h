#pragma once
// The fans of a finished bundle, by the common practice for air-cooled
// exchangers: the bundle is split into bays, each bay served by a row of
// fans along the tubes, each fan in a plot of its own.
//
// With W = XWIDTH and L = LENGTH (ft), a layout is a number of bays n (each
// W/n wide, at most 30 ft) and of fans per bay f (each serving a plot L/f
// long and W/n wide): at least the option "fewest fans" in all (n · f), and
// f at least the count that keeps a plot at most 1.8 bay widths long. The
// fan diameter d is the smallest whole foot, and at least 4 ft, for which the
// f fans of a bay cover at least 40 % of the bay's face. The layout is
// feasible when the fan and its ring fit the plot (d + c ≤ W/n, d + c ≤ L/f,
// c the ring clearance) and d is at most the largest fan. Of the feasible
// layouts (n from ⌈W/30⌉ to ⌈W/30⌉ + 50, f up to 50) the one with the fewest
// fans is taken, and among those the one with the fewest bays.

#include "planning/options.h"

#include <cstdint>
#include <optional>

namespace keld::planning {

struct FanLayout {
    std::int64_t bays = 0;
    std::int64_t fansPerBay = 0;
    std::int64_t fans = 0;
    double bayWidthFt = 0;   // W / n
    double plotLengthFt = 0; // L / f
    int diameterFt = 0;      // whole feet
    double coverage = 0;     // all fans' area over the face W · L, a fraction
    // The least plenum depth for a 45° dispersion angle, measured along the
    // tubes as the industry standards measure it: (L/f − d) / 2, at least 0.
    double plenumDepthFt = 0;
};

// The layout of a bundle W ft wide with tubes L ft long; none when no layout
// is feasible (or the bundle is no finished one: W not a whole number from
// 1 ft, L not above 0).
std::optional<FanLayout> layoutFans(double widthFt, double lengthFt, const Options& o);

} // namespace keld::planning
