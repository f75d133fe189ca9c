#include "platform/Terminal.h"

#include <io.h>

#include "platform/win32/SystemApi.h"

namespace vellomar {

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::optional<std::size_t> TerminalColumns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    if (!GetConsoleScreenBufferInfo(console, &info)) return std::nullopt;
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns <= 0) return std::nullopt;
    return static_cast<std::size_t>(columns);
}

}  // namespace vellomar
