#pragma once
// The planning layer on top of a finished calculation: the fans and their
// noise, and the cost of ownership. It reads the record and never changes it
// or any figure of the estimate.

#include "engine/sizing_case.h"
#include "planning/fans.h"
#include "planning/options.h"
#include "planning/ownership.h"

#include <optional>

namespace keld::planning {

struct Plan {
    std::optional<FanPlan> fans;
    std::optional<Ownership> ownership;
};

Plan planCase(const SizingCase& c, const Options& o);

} // namespace keld::planning
