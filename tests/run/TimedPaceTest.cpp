#include "run/TimedPace.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

using std::chrono::milliseconds;

TEST(TimedPaceTest, IsFirstDueAfterItsDelayThenAtMostOnceAnInterval) {
    TimedPace pace(milliseconds(400), milliseconds(100));
    const TimedPace::Clock::time_point start{milliseconds(1000)};
    pace.Start(start);
    EXPECT_FALSE(pace.Due(start));
    EXPECT_FALSE(pace.Due(start + milliseconds(399)));
    EXPECT_TRUE(pace.Due(start + milliseconds(400)));
    EXPECT_FALSE(pace.Due(start + milliseconds(401)));
    EXPECT_FALSE(pace.Due(start + milliseconds(499)));
    EXPECT_TRUE(pace.Due(start + milliseconds(650)));  // late: the next counts from here
    EXPECT_FALSE(pace.Due(start + milliseconds(700)));
    EXPECT_TRUE(pace.Due(start + milliseconds(750)));

    pace.Start(start + milliseconds(2000));  // a second act waits its delay again
    EXPECT_FALSE(pace.Due(start + milliseconds(2100)));
}

TEST(TimedPaceTest, NeverStartedIsDueAtOnce) {
    TimedPace pace(milliseconds(25), milliseconds(25));
    EXPECT_TRUE(pace.Due(TimedPace::Clock::time_point{milliseconds(5)}));
    EXPECT_FALSE(pace.Due(TimedPace::Clock::time_point{milliseconds(10)}));
}

}  // namespace
}  // namespace vellomar
