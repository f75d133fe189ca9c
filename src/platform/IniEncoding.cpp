#include "platform/IniEncoding.h"

#include "platform/ByteOrder.h"
#include "platform/Utf16Text.h"

namespace vellomar {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::string Utf8OfUtf16Bytes(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2)
        units.push_back(*(bigEndian ? BigEndianAt<char16_t>(bytes, at)
                                    : LittleEndianAt<char16_t>(bytes, at)));
    std::string text = Utf8OfUtf16(units);
    if (bytes.size() % 2) text.append(kReplacement);  // a last odd byte
    return text;
}

std::optional<std::string> Utf16BytesOfUtf8(std::string_view text, bool bigEndian) {
    const std::optional<std::u16string> units = Utf16OfUtf8(text);
    if (!units) return std::nullopt;
    std::string bytes(bigEndian ? kUtf16BigEndianMark : kUtf16LittleEndianMark);
    bytes.reserve(bytes.size() + 2 * units->size());
    for (const char16_t unit : *units) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

}  // namespace

DecodedIni DecodeIni(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return {Utf8OfUtf16Bytes(bytes.substr(kUtf16LittleEndianMark.size()), false),
                IniEncoding::Utf16LittleEndian};
    if (bytes.starts_with(kUtf16BigEndianMark))
        return {Utf8OfUtf16Bytes(bytes.substr(kUtf16BigEndianMark.size()), true),
                IniEncoding::Utf16BigEndian};
    if (bytes.starts_with(kUtf8Mark))
        return {std::string(bytes.substr(kUtf8Mark.size())), IniEncoding::Utf8WithMark};
    return {std::string(bytes), IniEncoding::Plain};
}

std::optional<std::string> EncodeIni(std::string_view text, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf16LittleEndian: return Utf16BytesOfUtf8(text, false);
        case IniEncoding::Utf16BigEndian: return Utf16BytesOfUtf8(text, true);
        case IniEncoding::Utf8WithMark: return std::string(kUtf8Mark).append(text);
        case IniEncoding::Plain: break;
    }
    return std::string(text);
}

}  // namespace vellomar
