#pragma once
// The status line a search keeps on a terminal's stderr: the folders entered,
// the files listed, their bytes and the folder being entered, rewritten in
// place at most ten times a second, cut to the terminal's width and wiped
// when the search ends. Written to anything but a terminal, it draws nothing.
// A terminal without escape sequences (TERM dumb or unset) still returns its
// carriage, so there the line is rewritten after a bare '\r' and padded with
// blanks over what the one before left, as other tools draw their progress there.

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace vellomar::cli {

class ProgressLine {
public:
    explicit ProgressLine(std::FILE* terminal);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void EnterFolder(std::string_view folder);
    void ShowFiles(std::size_t files);
    void ShowBytes(double bytes);
    // Wipes the line; the next change draws it again.
    void Clear();

private:
    void DrawWhenDue();

    // Back to the line's start, over the width shown before: "\r" and the
    // clearing escape, or blanks where the terminal takes no escapes.
    void ReturnOverShown();

    std::FILE* terminal_;  // null when stderr is no terminal
    bool escapes_;
    std::size_t folders_ = 0;
    std::size_t files_ = 0;
    double bytes_ = 0;
    std::string folder_;
    bool shown_ = false;
    std::size_t shownColumns_ = 0;
    std::chrono::steady_clock::time_point lastDrawn_;
};

struct ProgressText {
    std::string text;
    std::size_t columns;  // how many the terminal takes to show it
};

// The line as drawn: counts, then the folder, with control characters and
// bytes that are not UTF-8 as '?', cut to at most columns display columns
// (a wide character takes two, a combining mark none).
ProgressText ProgressTextOf(std::size_t folders, std::size_t files, double bytes,
                            std::string_view folder, std::size_t columns);

}  // namespace vellomar::cli
