#include "platform/Utf16Text.h"

#include <utility>

#include "platform/ByteOrder.h"

namespace vellomar {
namespace {

bool IsHighSurrogate(unsigned unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(unsigned unit) { return unit >= 0xDC00 && unit < 0xE000; }

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

}  // namespace

std::string Utf8OfUtf16(std::u16string_view units) {
    std::string text;
    text.reserve(units.size());
    for (std::size_t at = 0; at < units.size(); ++at) {
        const unsigned unit = units[at];
        if (IsHighSurrogate(unit) && at + 1 < units.size() && IsLowSurrogate(units[at + 1])) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800u) << 10) + (units[++at] - 0xDC00u));
        } else {
            AppendUtf8(text, unit);  // a half of no pair as WTF-8
        }
    }
    return text;
}

std::optional<std::u16string> Utf16OfUtf8(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    bool afterHighHalf = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto character = Utf8CharacterAt(text, at);
        if (!character || (afterHighHalf && IsLowSurrogate(character->first))) return std::nullopt;
        afterHighHalf = IsHighSurrogate(character->first);
        if (character->first < 0x10000) {
            units.push_back(static_cast<char16_t>(character->first));
        } else {
            const char32_t beyond = character->first - 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 | beyond >> 10));
            units.push_back(static_cast<char16_t>(0xDC00 | (beyond & 0x3FF)));
        }
        at += character->second;
    }
    return units;
}

}  // namespace vellomar
