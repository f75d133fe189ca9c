#include "cli/PrintedEntry.h"

#include <gtest/gtest.h>

namespace vellomar::cli {
namespace {

TEST(PrintedEntry, PlainEntriesPrintAsTheyAreUtf8Included) {
    EXPECT_EQ(PrintedEntry("t:\\a b\\x.tmp"), "t:\\a b\\x.tmp");
    EXPECT_EQ(PrintedEntry("t:\\Stra\u00dfe\\\u65e5\u8a18\\\U0001F600.tmp"),
              "t:\\Stra\u00dfe\\\u65e5\u8a18\\\U0001F600.tmp");
    EXPECT_EQ(PrintedEntry("t:\\it's"), "t:\\it's");
}

TEST(PrintedEntry, ControlCharactersAndBadBytesAreQuotedAsTheShellDoes) {
    EXPECT_EQ(PrintedEntry("t:\\two\nlines"), "$'t:\\\\two\\nlines'");
    EXPECT_EQ(PrintedEntry("t:\\tab\there's"), "$'t:\\\\tab\\there\\'s'");
    EXPECT_EQ(PrintedEntry("t:\\bell\x07\x7f"), "$'t:\\\\bell\\x07\\x7F'");
    EXPECT_EQ(PrintedEntry("t:\\latin1 \xe9t\xe9"), "$'t:\\\\latin1 \\xE9t\\xE9'");
    // Overlong forms, surrogates and cut-off sequences are not UTF-8 either.
    EXPECT_EQ(PrintedEntry("t:\\\xc0\xaf"), "$'t:\\\\\\xC0\\xAF'");
    EXPECT_EQ(PrintedEntry("t:\\\xed\xa0\x80"), "$'t:\\\\\\xED\\xA0\\x80'");
    EXPECT_EQ(PrintedEntry("t:\\\xe6\x97"), "$'t:\\\\\\xE6\\x97'");
    // Good characters inside a quoted entry stay as they are.
    EXPECT_EQ(PrintedEntry("t:\\\u00e9\n"), "$'t:\\\\\u00e9\\n'");
    // C1 controls are controls too: U+009B starts an escape sequence, U+0085 a line.
    EXPECT_EQ(PrintedEntry("t:\\\u009b2J\u0085\u00a0"), "$'t:\\\\\\xC2\\x9B2J\\xC2\\x85\u00a0'");
}

TEST(PrintedEntry, MessagesKeepTheirLinesAndQuoteOnlyThoseHoldingControls) {
    EXPECT_EQ(PrintedLines("2 out of 3:\n$'t:\\\\a\\nb' (read-only)"),
              "2 out of 3:\n$'t:\\\\a\\nb' (read-only)");
    EXPECT_EQ(PrintedLines("Unable to write to /x\x1b[2J\nnext"), "$'Unable to write to /x\\x1B[2J'\nnext");
}

}  // namespace
}  // namespace vellomar::cli
