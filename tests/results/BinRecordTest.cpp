// Garbage bin records as text: written and read back, and read when damaged.

#include "results/BinRecord.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

using std::chrono::system_clock;

system_clock::time_point Moment(std::time_t seconds) { return system_clock::from_time_t(seconds); }

TEST(BinRecord, AWrittenRecordReadsBackWithItsPathAndMoment) {
    for (const char* path : {"t:\\docs\\report.txt", "t:\\docs\\name ", "t:\\\"quoted\"", "t:\\'x'"}) {
        SCOPED_TRACE(path);
        const BinRecord written{path, Moment(1714564002)};
        const std::optional<BinRecord> read = ParseBinRecord(BinRecordText(written));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->originalPath, path);
        EXPECT_EQ(read->moved, written.moved);
    }
}

TEST(BinRecord, AMomentTheClockCannotHoldReadsAsTheStartOfTheEpoch) {
    const auto movedOf = [](const std::string& moved) {
        return ParseBinRecord("[Garbage Bin]\nPath=t:\\a\\x.tmp\nMoved=" + moved + "\n")->moved;
    };
    EXPECT_EQ(movedOf("9999-12-31T23:59:59Z"), system_clock::time_point());
    EXPECT_EQ(movedOf("1500-01-01T00:00:00Z"), system_clock::time_point());
    EXPECT_EQ(movedOf("2200-01-01T00:00:00Z"), Moment(7258118400));
    EXPECT_EQ(movedOf("yesterday"), system_clock::time_point());
}

}  // namespace
}  // namespace vellomar
