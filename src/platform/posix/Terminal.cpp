#include "platform/Terminal.h"

#include <locale.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <wchar.h>

#include <cstdlib>
#include <string_view>

#include "platform/UnicodeColumns.h"

namespace vellomar {
namespace {

// The program's text is UTF-8 whatever the user's locale says, so widths are
// asked in a UTF-8 locale of their own; none where the system has none.
locale_t Utf8Locale() {
    static const locale_t utf8 = [] {
        locale_t found = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        return found ? found : newlocale(LC_CTYPE_MASK, "en_US.UTF-8", locale_t{});
    }();
    return utf8;
}

}  // namespace

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) == 1; }

std::optional<std::size_t> TerminalColumns(std::FILE* stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
    return size.ws_col;
}

bool TerminalTakesEscapes(std::FILE*) {
    const char* name = std::getenv("TERM");
    return name && *name && std::string_view(name) != "dumb";
}

std::optional<std::size_t> CharacterColumns(char32_t character) {
    const locale_t utf8 = Utf8Locale();
    if (!utf8) return UnicodeColumns(character);
    const locale_t previous = uselocale(utf8);
    const int columns = wcwidth(static_cast<wchar_t>(character));
    uselocale(previous);
    if (columns < 0) return std::nullopt;
    return static_cast<std::size_t>(columns);
}

}  // namespace vellomar
