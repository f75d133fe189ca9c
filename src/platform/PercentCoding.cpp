#include "platform/PercentCoding.h"

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

bool KeptAsIs(char c) {
    constexpr std::string_view kMarks = "-._~\\/:!$&'()*+,;=@";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kMarks.find(c) != std::string_view::npos;
}

}  // namespace

std::string PercentEncoded(std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size());
    for (const char c : text) {
        if (KeptAsIs(c)) {
            encoded += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 15];
    }
    return encoded;
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

}  // namespace vellomar
