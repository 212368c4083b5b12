// How often the panel is redrawn: continuously while in use, a few frames a
// second once left alone, continuously again at the next input.
#include "app/view/RedrawPolicy.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(RedrawPolicy, SlowsDownAfterSomeSecondsWithoutInputAndResumesAtOnce) {
    RedrawPolicy policy;
    constexpr int active = RedrawPolicy::kActiveIntervalMs;
    constexpr int idle = RedrawPolicy::kIdleIntervalMs;
    static_assert(1000 / idle >= 2 && 1000 / idle <= 10, "a few frames a second when idle");
    policy.Activity(1000);
    EXPECT_EQ(policy.Interval(1000, false), active);
    EXPECT_EQ(policy.Interval(1000 + RedrawPolicy::kIdleAfterMs - 1, false), active);
    EXPECT_EQ(policy.Interval(1000 + RedrawPolicy::kIdleAfterMs, false), idle);
    // The antialiasing check counts frames: it always gets the full rate.
    EXPECT_EQ(policy.Interval(60000, true), active);
    policy.Activity(60000);
    EXPECT_EQ(policy.Interval(60001, false), active);
    // A clock that went back is no reason to slow down.
    EXPECT_EQ(policy.Interval(10, false), active);
}

}  // namespace
}  // namespace tessaly
