#include "app/view/RedrawPolicy.h"

namespace tessaly {

int RedrawPolicy::Interval(std::uint64_t now, bool frameRateCheck) const {
    if (frameRateCheck) return kActiveIntervalMs;
    // A clock that went back counts as activity now.
    if (now < lastActivity_ || now - lastActivity_ < kIdleAfterMs) return kActiveIntervalMs;
    return kIdleIntervalMs;
}

}  // namespace tessaly
