// Garbage bin records as text: written and read back, and read when damaged.

#include "results/BinRecord.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

using std::chrono::system_clock;

system_clock::time_point Moment(std::time_t seconds) { return system_clock::from_time_t(seconds); }

TEST(BinRecord, AWrittenRecordReadsBackWithItsIdPathMomentAndFileSystem) {
    for (const char* path : {"t:\\docs\\report.txt", "t:\\docs\\name ", "t:\\\"quoted\"", "t:\\'x'"}) {
        SCOPED_TRACE(path);
        const BinRecord written{"20240501T120322Z-0a", path, Moment(1714564002),
                                DriveIdentity{"/media/ann/my usb ", "uuid:0f3c"}};
        const std::optional<BinRecord> read = ParseBinRecord(BinRecordText(written));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->id, written.id);
        EXPECT_EQ(read->originalPath, path);
        EXPECT_EQ(read->moved, written.moved);
        EXPECT_EQ(read->drive, written.drive);
    }
    // Records of older bins name no id and no file system.
    const auto older = ParseBinRecord("[Garbage Bin]\nPath=t:\\a\\x.tmp\nMoved=2024-05-01T12:03:22Z\n");
    ASSERT_TRUE(older);
    EXPECT_EQ(older->id, "");
    EXPECT_EQ(older->drive, std::nullopt);
}

TEST(BinRecord, AnyNameAFileCanHaveReadsBackAndRecordsOfEarlierVersionsReadAsBefore) {
    for (const char* path : {"t:\\two\nlines.tmp", "t:\\cr\r.tmp", "t:\\100%25 %zz\\x\x7f\xc3\xa9.tmp"}) {
        SCOPED_TRACE(path);
        const BinRecord written{"20240501T120322Z-0a", path, Moment(1714564002), std::nullopt};
        const std::optional<BinRecord> read = ParseBinRecord(BinRecordText(written));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->originalPath, path);
    }
    // As the previous version wrote it: the path as it is, '%' and all.
    const auto earlier = ParseBinRecord(
        "[Garbage Bin]\nId=20240501T120322Z-0a\nPath=t:\\a\\100%25.tmp\nMoved=2024-05-01T12:03:22Z\n"
        "Mount=/media/usb\nFileSystem=uuid:0f3c\n");
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->originalPath, "t:\\a\\100%25.tmp");
    EXPECT_EQ(earlier->moved, Moment(1714565002));
    EXPECT_EQ(earlier->drive, (DriveIdentity{"/media/usb", "uuid:0f3c"}));
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
