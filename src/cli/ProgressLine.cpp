#include "cli/ProgressLine.h"

#include <algorithm>
#include <optional>

#include "cli/Utf8Sequence.h"
#include "platform/Terminal.h"
#include "scan/ByteTotal.h"

namespace vellomar::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kUnknownWidth = 80;

std::size_t ColumnsOf(std::FILE* terminal) { return TerminalColumns(terminal).value_or(kUnknownWidth); }

}  // namespace

ProgressText ProgressTextOf(std::size_t folders, std::size_t files, double bytes,
                            std::string_view folder, std::size_t columns) {
    const std::string counts = std::to_string(folders) + " folders, " + std::to_string(files) +
                               " files, " + FormatByteTotal(bytes) + " bytes: ";
    ProgressText shown{counts.substr(0, columns), std::min(counts.size(), columns)};
    for (std::size_t at = 0; at < folder.size();) {
        const std::size_t length = Utf8SequenceAt(folder, at);
        const std::optional<std::size_t> width =
            length == 0 ? std::nullopt : CharacterColumns(CodePointAt(folder, at, length));
        const std::size_t taken = width.value_or(1);
        if (shown.columns + taken > columns) break;
        shown.text += width ? folder.substr(at, length) : "?";
        shown.columns += taken;
        at += length == 0 ? 1 : length;
    }
    return shown;
}

ProgressLine::ProgressLine(std::FILE* terminal)
    : terminal_(IsTerminal(terminal) ? terminal : nullptr),
      escapes_(terminal_ && TerminalTakesEscapes(terminal_)) {}

void ProgressLine::EnterFolder(std::string_view folder) {
    if (!terminal_) return;  // no line to draw: a walk copies no folder text for it
    ++folders_;
    folder_ = folder;
    DrawWhenDue();
}

void ProgressLine::ShowFiles(std::size_t files) {
    files_ = files;
    DrawWhenDue();
}

void ProgressLine::ShowBytes(double bytes) {
    bytes_ = bytes;
    DrawWhenDue();
}

void ProgressLine::Clear() {
    if (!terminal_ || !shown_) return;
    ReturnOverShown();
    std::fflush(terminal_);
    shown_ = false;
}

void ProgressLine::ReturnOverShown() {
    if (escapes_) {
        std::fputs("\r\033[K", terminal_);
    } else {
        std::fprintf(terminal_, "\r%*s\r", static_cast<int>(shownColumns_), "");
    }
    shownColumns_ = 0;
}

void ProgressLine::DrawWhenDue() {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    shown_ = true;
    // One column is left free: a line that fills the width wraps on some terminals.
    const std::size_t columns = ColumnsOf(terminal_);
    const ProgressText shown =
        ProgressTextOf(folders_, files_, bytes_, folder_, columns > 1 ? columns - 1 : columns);
    ReturnOverShown();
    std::fputs(shown.text.c_str(), terminal_);
    shownColumns_ = shown.columns;
    std::fflush(terminal_);
}

}  // namespace vellomar::cli
