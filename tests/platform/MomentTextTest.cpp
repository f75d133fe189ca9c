#include "platform/MomentText.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

TEST(MomentText, WritesTheMomentInUtcToTheSecond) {
    using Clock = std::chrono::system_clock;
    EXPECT_EQ(MomentText(Clock::from_time_t(0)), "1970-01-01T00:00:00Z");
    EXPECT_EQ(MomentText(Clock::from_time_t(1714563910) + std::chrono::milliseconds(999)),
              "2024-05-01T11:45:10Z");
    EXPECT_EQ(MomentText(Clock::from_time_t(951825600)), "2000-02-29T12:00:00Z");
    // Floored, not rounded toward zero: a moment just before 1970 is in 1969.
    EXPECT_EQ(MomentText(Clock::from_time_t(0) - std::chrono::milliseconds(1)), "1969-12-31T23:59:59Z");
}

}  // namespace
}  // namespace vellomar
