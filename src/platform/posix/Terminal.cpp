#include "platform/Terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace vellomar {

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

std::optional<std::size_t> TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
    return size.ws_col;
}

}  // namespace vellomar
