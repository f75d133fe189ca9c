#include "platform/IniEncoding.h"

#include "platform/ByteOrder.h"

namespace vellomar {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& text, char32_t character) {
    const auto byte = [&](unsigned value) { text.push_back(static_cast<char>(value)); };
    if (character < 0x80) {
        byte(character);
    } else if (character < 0x800) {
        byte(0xC0 | character >> 6);
        byte(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        byte(0xE0 | character >> 12);
        byte(0x80 | (character >> 6 & 0x3F));
        byte(0x80 | (character & 0x3F));
    } else {
        byte(0xF0 | character >> 18);
        byte(0x80 | (character >> 12 & 0x3F));
        byte(0x80 | (character >> 6 & 0x3F));
        byte(0x80 | (character & 0x3F));
    }
}

void AppendUtf16LittleEndian(std::string& bytes, char32_t character) {
    const auto unit = [&](unsigned value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    };
    if (character < 0x10000) {
        unit(character);
    } else {
        character -= 0x10000;
        unit(0xD800 | character >> 10);
        unit(0xDC00 | (character & 0x3FF));
    }
}

bool IsHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit < 0xE000; }

std::string Utf8OfUtf16LittleEndian(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::optional<std::uint16_t> unit = LittleEndianAt<std::uint16_t>(bytes, at);
        if (!unit) {
            AppendUtf8(text, kReplacement);
            break;
        }
        at += 2;
        const std::optional<std::uint16_t> next = LittleEndianAt<std::uint16_t>(bytes, at);
        if (IsHighSurrogate(*unit) && next && IsLowSurrogate(*next)) {
            AppendUtf8(text, 0x10000 + ((*unit - 0xD800u) << 10) + (*next - 0xDC00u));
            at += 2;
        } else {
            AppendUtf8(text, *unit);  // a half of no pair as WTF-8, as file names carry it
        }
    }
    return text;
}

// The character that starts at text[at], and the bytes it takes; nothing for
// bytes that are no shortest UTF-8 form of a character or of a surrogate.
std::optional<std::pair<char32_t, std::size_t>> Utf8CharacterAt(std::string_view text,
                                                               std::size_t at) {
    const unsigned lead = ByteAt(text, at);
    if (lead < 0x80) return std::pair{char32_t(lead), std::size_t{1}};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() - at < length) return std::nullopt;
    char32_t character = lead & (0x7F >> length);
    for (std::size_t index = 1; index < length; ++index) {
        const unsigned next = ByteAt(text, at + index);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        character = character << 6 | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (character < kShortest[length] || character > 0x10FFFF) return std::nullopt;
    return std::pair{character, length};
}

std::optional<std::string> Utf16LittleEndianOfUtf8(std::string_view text) {
    std::string bytes;
    bytes.reserve(kUtf16LittleEndianMark.size() + 2 * text.size());
    bytes.append(kUtf16LittleEndianMark);
    bool afterHighHalf = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto character = Utf8CharacterAt(text, at);
        // Two halves written one after the other would read back as a pair.
        if (!character || (afterHighHalf && IsLowSurrogate(character->first))) return std::nullopt;
        afterHighHalf = IsHighSurrogate(character->first);
        AppendUtf16LittleEndian(bytes, character->first);
        at += character->second;
    }
    return bytes;
}

}  // namespace

DecodedIni DecodeIni(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LittleEndianMark))
        return {Utf8OfUtf16LittleEndian(bytes.substr(kUtf16LittleEndianMark.size())),
                IniEncoding::Utf16LittleEndian};
    if (bytes.starts_with(kUtf8Mark))
        return {std::string(bytes.substr(kUtf8Mark.size())), IniEncoding::Utf8WithMark};
    return {std::string(bytes), IniEncoding::Plain};
}

std::optional<std::string> EncodeIni(std::string_view text, IniEncoding encoding) {
    switch (encoding) {
        case IniEncoding::Utf16LittleEndian: return Utf16LittleEndianOfUtf8(text);
        case IniEncoding::Utf8WithMark: return std::string(kUtf8Mark).append(text);
        case IniEncoding::Plain: break;
    }
    return std::string(text);
}

}  // namespace vellomar
