#include "platform/FetchedAs.h"

#include "platform/AsciiCase.h"
#include "platform/PercentCoding.h"

namespace vellomar {

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
