#include "cli/EntryRecord.h"

#include <cstdio>

#include "cli/Utf8Sequence.h"
#include "platform/MomentText.h"

namespace vellomar::cli {
namespace {

std::string TsvField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) {
            out += "\\ufffd";
            ++at;
            continue;
        }
        if (length > 1) {
            out.append(text.substr(at, length));
            at += length;
            continue;
        }
        const auto byte = static_cast<unsigned char>(text[at++]);
        switch (byte) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default:
                if (byte < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    out += escaped;
                } else {
                    out += static_cast<char>(byte);
                }
        }
    }
    out += '"';
}

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0);
        for (std::size_t i = 0; i < 4; ++i)
            out += i <= count ? kDigits[(group >> (18 - 6 * i)) & 0x3f] : '=';
    }
    return out;
}

}  // namespace

std::string TsvRecord(const EntryFacts& entry) {
    std::string line = TsvField(entry.path) + '\t';
    if (entry.info) line += std::to_string(entry.info->size);
    line += '\t';
    if (entry.info) line += MomentText(entry.info->modified);
    line += '\t';
    if (entry.native) line += TsvField(*entry.native);
    return line;
}

std::string JsonRecord(const EntryFacts& entry) {
    std::string line = "{\"path\":";
    AppendJsonString(line, entry.path);
    line += ",\"native\":";
    if (entry.native) AppendJsonString(line, *entry.native);
    else line += "null";
    line += ",\"size\":" + (entry.info ? std::to_string(entry.info->size) : "null");
    line += ",\"modified\":";
    line += entry.info ? "\"" + MomentText(entry.info->modified) + "\"" : "null";
    if (entry.native && !IsWellFormedUtf8(*entry.native))
        line += ",\"native_base64\":\"" + Base64(*entry.native) + "\"";
    return line + "}";
}

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string Base64Of(std::string_view bytes) { return Base64(bytes); }

}  // namespace vellomar::cli
