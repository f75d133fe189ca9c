#include "platform/FetchedAs.h"

#include <optional>

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = AsciiLower(c);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return std::nullopt;
}

std::string PercentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto high = at + 2 < text.size() && text[at] == '%' ? HexDigitValue(text[at + 1])
                                                                 : std::nullopt;
        const auto low = high ? HexDigitValue(text[at + 2]) : std::nullopt;
        const char byte = low ? static_cast<char>(*high * 16 + *low) : '\0';
        if (low && byte != '/' && byte != '\\' && byte != '\0') {
            decoded += byte;
            at += 2;
        } else {
            decoded += text[at];
        }
    }
    return decoded;
}

}  // namespace

std::string LastSegmentOfUrl(std::string_view url) {
    url = url.substr(0, url.find_first_of("?#"));
    // The authority ("//host:port") is no path: a URL of a host alone has no name.
    const std::size_t scheme = url.find("://");
    const std::size_t path = scheme == std::string_view::npos ? scheme : url.find('/', scheme + 3);
    if (path == std::string_view::npos) return {};
    return PercentDecoded(url.substr(url.rfind('/') + 1));
}

std::string MediaTypeInHeaders(std::string_view headers) {
    constexpr std::string_view kField = "content-type:";
    while (!headers.empty()) {
        const std::size_t end = headers.find_first_of(std::string_view("\r\n\0", 3));
        const std::string_view line = headers.substr(0, end);
        if (line.size() >= kField.size() &&
            EqualsIgnoringAsciiCase(line.substr(0, kField.size()), kField)) {
            const std::string_view value = line.substr(kField.size());
            return ToAsciiLower(TrimBlanksAndControls(value.substr(0, value.find(';'))));
        }
        if (end == std::string_view::npos) break;
        headers.remove_prefix(end + 1);
    }
    return {};
}

}  // namespace vellomar
