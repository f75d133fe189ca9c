#include "platform/MomentText.h"

#include <gtest/gtest.h>

#include <cstdint>

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

TEST(MomentText, WritesAFilesTimeInItsTrueYearHeldWithinFourDigitYears) {
    EXPECT_EQ(MomentText(FileTime{10'413'835'200, 999'999'999}), "2300-01-01T12:00:00Z");
    EXPECT_EQ(MomentText(FileTime{-1, 999'999'999}), "1969-12-31T23:59:59Z");
    EXPECT_EQ(MomentText(FileTime{INT64_MAX}), "9999-12-31T23:59:59Z");
    EXPECT_EQ(MomentText(FileTime{INT64_MIN}), "0000-01-01T00:00:00Z");
}

TEST(FileTime, StandsForAClockMomentExactlyAndBeyondTheClocksRangeForItsEnds) {
    using Clock = std::chrono::system_clock;
    const Clock::time_point moment = Clock::from_time_t(-5) + std::chrono::nanoseconds(7);
    EXPECT_EQ(FileTime::Of(moment), (FileTime{-5, 7}));
    EXPECT_EQ(FileTime::Of(moment).ClockTime(), moment);
    EXPECT_EQ((FileTime{10'413'835'200}).ClockTime(), Clock::time_point::max());
    EXPECT_EQ((FileTime{-10'413'835'200}).ClockTime(), Clock::time_point::min());
    EXPECT_LT(FileTime::Of(Clock::time_point::max()), (FileTime{10'413'835'200}));
}

}  // namespace
}  // namespace vellomar
