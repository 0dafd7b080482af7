#include "planning/plan.h"

namespace keld::planning {

Plan planCase(const SizingCase& c, const Options& o) {
    return {planFans(c, o), costOfOwnership(c, o)};
}

} // namespace keld::planning
