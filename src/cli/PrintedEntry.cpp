#include "cli/PrintedEntry.h"

#include <cstdio>

#include "cli/Utf8Sequence.h"

namespace vellomar::cli {
namespace {

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7f; }

// A C1 control (U+0080 to U+009F): U+009B, say, starts an escape sequence on
// terminals that read UTF-8 as a terminal of eight-bit controls would.
bool IsC1Control(std::string_view entry, std::size_t at, std::size_t length) {
    return length == 2 && CodePointAt(entry, at, length) < 0xa0;
}

// Whether the sequence at entry[at] is printed as hex escapes: a byte that is
// not part of well-formed UTF-8, or a control character.
bool Unprintable(std::string_view entry, std::size_t at, std::size_t length) {
    return length == 0 || (length == 1 && IsControl(static_cast<unsigned char>(entry[at]))) ||
           IsC1Control(entry, at, length);
}

bool NeedsQuoting(std::string_view entry) {
    for (std::size_t at = 0; at < entry.size();) {
        const std::size_t length = Utf8SequenceAt(entry, at);
        if (Unprintable(entry, at, length)) return true;
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
        if (IsC1Control(entry, at, length)) {
            for (char part : entry.substr(at, length)) AppendHex(out, static_cast<unsigned char>(part));
            at += length;
            continue;
        }
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

std::string PrintedLines(std::string_view text) {
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        out += PrintedEntry(text.substr(start, end - start));
        if (end == std::string_view::npos) return out;
        out += '\n';
        start = end + 1;
    }
}

}  // namespace vellomar::cli
