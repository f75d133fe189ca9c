// The progress line as a terminal shows it: cut by the columns its characters
// take, and drawn without escape sequences where the terminal takes none.

#include "cli/ProgressLine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace vellomar::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// "0 folders, 0 files, 0 bytes: " takes 29 columns.
constexpr std::size_t kCounts = 29;

TEST(ProgressTextTest, CutsByDisplayColumnsNotByCharacters) {
    // Each of these takes two columns: eight of them fill sixteen.
    const std::string wide = "\xe6\x96\x87\xe4\xbb\xb6\xe5\xa4\xbe\xe6\x96\x87\xe4\xbb\xb6\xe5\xa4\xbe"
                             "\xe6\x96\x87\xe4\xbb\xb6";
    ProgressText shown = ProgressTextOf(0, 0, 0, "c:\\" + wide, kCounts + 3 + 9);
    EXPECT_EQ(shown.text, "0 folders, 0 files, 0 bytes: c:\\" + wide.substr(0, 12));
    EXPECT_EQ(shown.columns, kCounts + 3 + 8);

    // A combining mark takes no column; a C1 control or a stray byte is one '?'.
    shown = ProgressTextOf(0, 0, 0, "e\xcc\x81\xc2\x9b[2J\xff", kCounts + 10);
    EXPECT_EQ(shown.text, "0 folders, 0 files, 0 bytes: e\xcc\x81?[2J?");
    EXPECT_EQ(shown.columns, kCounts + 6);

    EXPECT_EQ(ProgressTextOf(3, 2, 1e6, "t:\\a\nb\xe9", 80).text,
              "3 folders, 2 files, 1000000 bytes: t:\\a?b?");
    EXPECT_EQ(ProgressTextOf(3, 2, 10, "t:\\x", 9).text, "3 folders");
}

#ifndef _WIN32
// What a terminal of 100 columns gets from a line drawn and wiped, under TERM.
std::string DrawnUnder(const char* term) {
    int master = -1, slave = -1;
    winsize size{};
    size.ws_col = 100;
    EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, &size), 0);
    setenv("TERM", term, 1);
    std::FILE* terminal = fdopen(slave, "w");
    {
        ProgressLine line(terminal);
        line.EnterFolder("c:\\first folder with a long name");
        line.Clear();
        line.EnterFolder("c:\\b");
        line.Clear();
    }
    std::fclose(terminal);
    std::string drawn;
    char buffer[512];
    for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) drawn.append(buffer, got);
    close(master);
    return drawn;
}

TEST(ProgressLineTest, ADumbTerminalGetsCarriageReturnsAndBlanksButNoEscapes) {
    const char* before = std::getenv("TERM");
    const std::string saved = before ? before : "";
    const std::string dumb = DrawnUnder("dumb");
    const std::string xterm = DrawnUnder("xterm");
    if (before) setenv("TERM", saved.c_str(), 1);
    else unsetenv("TERM");

    EXPECT_THAT(dumb, Not(HasSubstr("\033")));
    // The first line wiped with as many blanks as it took, then the second drawn.
    EXPECT_THAT(dumb, HasSubstr("c:\\first folder with a long name\r" + std::string(61, ' ') + "\r"));
    EXPECT_THAT(dumb, HasSubstr("c:\\b\r" + std::string(33, ' ') + "\r"));
    EXPECT_THAT(xterm, HasSubstr("c:\\first folder with a long name\r\033[K"));
}
#endif

}  // namespace
}  // namespace vellomar::cli
