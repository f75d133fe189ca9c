#include "cli/PrintedEntry.h"

#include <cstdio>

namespace vellomar::cli {
namespace {

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7f; }

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf;  // the allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) length = 2;
    else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;   // no overlong forms
        if (lead == 0xed) high = 0x9f;  // no surrogates
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;  // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
    return length;
}

bool NeedsQuoting(std::string_view entry) {
    for (std::size_t at = 0; at < entry.size();) {
        const std::size_t length = Utf8SequenceAt(entry, at);
        if (length == 0 || (length == 1 && IsControl(static_cast<unsigned char>(entry[at]))))
            return true;
        at += length;
    }
    return false;
}

void AppendHex(std::string& out, unsigned char byte) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    out += escaped;
}

}  // namespace

std::string PrintedEntry(std::string_view entry) {
    if (!NeedsQuoting(entry)) return std::string(entry);
    std::string out = "$'";
    for (std::size_t at = 0; at < entry.size();) {
        const std::size_t length = Utf8SequenceAt(entry, at);
        const auto byte = static_cast<unsigned char>(entry[at]);
        if (length > 1) {
            out.append(entry.substr(at, length));
            at += length;
            continue;
        }
        ++at;
        switch (byte) {
            case '\\': out += "\\\\"; break;
            case '\'': out += "\\'"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (length == 0 || IsControl(byte)) AppendHex(out, byte);
                else out += static_cast<char>(byte);
        }
    }
    return out + "'";
}

}  // namespace vellomar::cli
