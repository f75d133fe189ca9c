#include "cli/PrintedEntry.h"

#include <cstdio>

#include "cli/Utf8Sequence.h"

namespace vellomar::cli {
namespace {

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7f; }

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
