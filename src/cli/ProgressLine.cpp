#include "cli/ProgressLine.h"

#include "cli/Utf8Sequence.h"
#include "platform/Terminal.h"
#include "scan/ByteTotal.h"

namespace vellomar::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kUnknownWidth = 80;

std::size_t ColumnsOf(std::FILE* terminal) { return TerminalColumns(terminal).value_or(kUnknownWidth); }

}  // namespace

std::string ProgressText(std::size_t folders, std::size_t files, double bytes,
                         std::string_view folder, std::size_t columns) {
    const std::string counts = std::to_string(folders) + " folders, " + std::to_string(files) +
                               " files, " + FormatByteTotal(bytes) + " bytes: ";
    std::string text;
    std::size_t shown = 0;
    const auto add = [&](std::string_view character) {
        if (shown >= columns) return false;
        text.append(character);
        ++shown;
        return true;
    };
    for (char c : counts)
        if (!add(std::string_view(&c, 1))) return text;
    for (std::size_t at = 0; at < folder.size();) {
        const std::size_t length = Utf8SequenceAt(folder, at);
        const auto byte = static_cast<unsigned char>(folder[at]);
        const bool plain = length > 1 || (length == 1 && byte >= 0x20 && byte != 0x7f);
        if (!add(plain ? folder.substr(at, length) : "?")) break;
        at += length == 0 ? 1 : length;
    }
    return text;
}

ProgressLine::ProgressLine(std::FILE* terminal)
    : terminal_(IsTerminal(terminal) ? terminal : nullptr) {}

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
    std::fputs("\r\033[K", terminal_);
    std::fflush(terminal_);
    shown_ = false;
}

void ProgressLine::DrawWhenDue() {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - lastDrawn_ < kRedrawInterval) return;
    lastDrawn_ = now;
    shown_ = true;
    // One column is left free: a line that fills the width wraps on some terminals.
    const std::size_t columns = ColumnsOf(terminal_);
    const std::string text =
        ProgressText(folders_, files_, bytes_, folder_, columns > 1 ? columns - 1 : columns);
    std::fprintf(terminal_, "\r%s\033[K", text.c_str());
    std::fflush(terminal_);
}

}  // namespace vellomar::cli
