#pragma once
// Comparisons with the planning rules' limits. Each allows a relative 1e-9,
// so that a ratio that equals a limit in decimal arithmetic meets it: a plot
// exactly 1.8 bay widths long, a Metric largest fan of 4.2672 m taking a
// 14 ft fan.

#include <cmath>

namespace keld::planning {

inline constexpr double kLimitAllowance = 1e-9;

inline bool atMost(double value, double limit) {
    return value <= limit + std::fabs(limit) * kLimitAllowance;
}

inline bool atLeast(double value, double limit) {
    return value >= limit - std::fabs(limit) * kLimitAllowance;
}

} // namespace keld::planning
