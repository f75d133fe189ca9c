#include "cli/EntryRecord.h"

#include <gtest/gtest.h>

namespace vellomar::cli {
namespace {

const EntryInfo kFile{EntryKind::File, 0, 1234, {1714564999, 999'000'000}, {}};

TEST(EntryRecordTest, JsonEscapesQuotesBackslashesAndControlCharacters) {
    const EntryFacts entry{"t:\\a \"q\"\n\x01\x7f.tmp", "/d/a \"q\"\n\x01\x7f.tmp", kFile};
    EXPECT_EQ(JsonRecord(entry),
              "{\"path\":\"t:\\\\a \\\"q\\\"\\n\\u0001\x7f.tmp\",\"native\":\"/d/a \\\"q\\\"\\n"
              "\\u0001\x7f.tmp\",\"size\":1234,\"modified\":\"2024-05-01T12:03:19Z\"}");
}

TEST(EntryRecordTest, JsonKeepsUtf8AndGivesTheExactBytesOfANameThatIsNotUtf8) {
    EXPECT_EQ(JsonRecord({"t:\\\xc3\xa9", "/d/\xc3\xa9", kFile}),
              "{\"path\":\"t:\\\\\xc3\xa9\",\"native\":\"/d/\xc3\xa9\",\"size\":1234,"
              "\"modified\":\"2024-05-01T12:03:19Z\"}");
    // Latin-1 é, a lone continuation byte, a surrogate's encoding and a cut sequence.
    EXPECT_EQ(JsonRecord({"t:\\\xe9\x80", "/\xe9\x80\xed\xa0\x80\xe2\x82", std::nullopt}),
              "{\"path\":\"t:\\\\\\ufffd\\ufffd\",\"native\":\"/\\ufffd\\ufffd\\ufffd\\ufffd\\ufffd"
              "\\ufffd\\ufffd\",\"size\":null,\"modified\":null,\"native_base64\":\"L+mA7aCA4oI=\"}");
    EXPECT_EQ(JsonRecord({"t:\\x", std::nullopt, std::nullopt}),
              "{\"path\":\"t:\\\\x\",\"native\":null,\"size\":null,\"modified\":null}");
}

TEST(EntryRecordTest, TsvEscapesWhatWouldSplitAFieldOrALine) {
    EXPECT_EQ(TsvRecord({"t:\\a\tb\nc\rd", "/a\tb\nc\rd\xe9", kFile}),
              "t:\\\\a\\tb\\nc\\rd\t1234\t2024-05-01T12:03:19Z\t/a\\tb\\nc\\rd\xe9");
    EXPECT_EQ(TsvRecord({"t:\\gone", "/gone", std::nullopt}), "t:\\\\gone\t\t\t/gone");
}

}  // namespace
}  // namespace vellomar::cli
