#include "platform/Terminal.h"

#include <io.h>

#include "platform/UnicodeColumns.h"
#include "platform/win32/SystemApi.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING  // older MinGW headers lack it
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace vellomar {
namespace {

HANDLE ConsoleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

}  // namespace

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::optional<std::size_t> TerminalColumns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(ConsoleOf(stream), &info)) return std::nullopt;
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns <= 0) return std::nullopt;
    return static_cast<std::size_t>(columns);
}

// A console takes escape sequences only in its virtual-terminal mode, which
// the program asks for and older consoles refuse.
bool TerminalTakesEscapes(std::FILE* stream) {
    const HANDLE console = ConsoleOf(stream);
    DWORD mode = 0;
    if (!GetConsoleMode(console, &mode)) return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

// Windows has no wcwidth(); the console draws by the same Unicode ranges.
std::optional<std::size_t> CharacterColumns(char32_t character) { return UnicodeColumns(character); }

}  // namespace vellomar
