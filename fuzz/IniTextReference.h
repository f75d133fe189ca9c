#pragma once
// The ini text rules done the plain way, each call reading the whole text
// afresh: the yardstick the indexed IniDocument (and the ini_text functions
// built on it) must match byte for byte. Kept apart from the program's code on
// purpose, so that a fault in one shows as a difference from the other.

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AsciiCase.h"

namespace vellomar::fuzz::reference {

inline std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

inline bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == value.back() &&
           (value.front() == '"' || value.front() == '\'');
}

enum class LineKind { Section, Key, Other };

struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;  // where "\n", "\r\n" or "\r" (or the text) ends the line
    std::size_t end = 0;         // just past the line end
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

inline std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        Line line;
        line.begin = begin;
        line.contentEnd = std::min(text.find_first_of("\r\n", begin), text.size());
        line.end = text.compare(line.contentEnd, 2, "\r\n") == 0
                       ? line.contentEnd + 2
                       : std::min(line.contentEnd + 1, text.size());
        std::string_view trimmed = TrimBlanks(text.substr(begin, line.contentEnd - begin));
        const std::size_t equals = trimmed.find('=');
        if (trimmed.starts_with('[')) {
            trimmed.remove_prefix(1);
            line.kind = LineKind::Section;
            line.name = TrimBlanks(trimmed.substr(0, trimmed.find(']')));
        } else if (!trimmed.starts_with(';') && equals != std::string_view::npos) {
            line.kind = LineKind::Key;
            line.name = TrimBlanks(trimmed.substr(0, equals));
            line.value = TrimBlanks(trimmed.substr(equals + 1));
            if (IsQuoted(line.value)) line.value = line.value.substr(1, line.value.size() - 2);
        }
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
}

// The header's index and the index past the last line of the first section of that name.
inline std::optional<std::pair<std::size_t, std::size_t>> FindSection(
    const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !EqualsIgnoringAsciiCase(lines[i].name, name))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        return std::pair{i, end};
    }
    return std::nullopt;
}

inline void RequireStorable(std::string_view section, std::string_view key,
                            std::string_view value) {
    const auto breaks = [](std::string_view text) {
        return text.find_first_of("\r\n") != text.npos;
    };
    const auto padded = [](std::string_view text) { return TrimBlanks(text) != text; };
    if (breaks(section) || padded(section) || section.find(']') != section.npos ||
        breaks(key) || padded(key) || key.find('=') != key.npos || key.starts_with('[') ||
        key.starts_with(';') || breaks(value))
        throw std::invalid_argument("not storable");
}

// The text with line added at offset, the end of a line; a last line without a line end gets one.
inline std::string WithLineAt(std::string_view text, std::size_t offset, std::string_view line) {
    std::string result(text.substr(0, offset));
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += '\n';
    result.append(line).append("\n").append(text.substr(offset));
    return result;
}

inline std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const auto range = FindSection(lines, section);
    if (!range) return std::nullopt;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
        if (lines[i].kind == LineKind::Key && EqualsIgnoringAsciiCase(lines[i].name, key))
            return std::string(lines[i].value);
    }
    return std::nullopt;
}

inline std::string WithValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view value) {
    RequireStorable(section, key, value);
    const bool quoted = TrimBlanks(value) != value || IsQuoted(value);
    const std::string entry =
        std::string(key) + "=" + (quoted ? '"' + std::string(value) + '"' : std::string(value));
    const std::vector<Line> lines = SplitLines(text);
    const auto range = FindSection(lines, section);
    if (!range) return WithLineAt(text, text.size(), "[" + std::string(section) + "]\n" + entry);
    std::size_t lastKey = range->first;
    for (std::size_t i = range->first + 1; i < range->second; ++i) {
        if (lines[i].kind != LineKind::Key) continue;
        if (EqualsIgnoringAsciiCase(lines[i].name, key))
            return std::string(text).replace(lines[i].begin, lines[i].contentEnd - lines[i].begin,
                                             entry);
        lastKey = i;
    }
    return WithLineAt(text, lines[lastKey].end, entry);
}

inline std::string WithSection(std::string_view text, std::string_view section) {
    RequireStorable(section, "", "");
    if (FindSection(SplitLines(text), section)) return std::string(text);
    return WithLineAt(text, text.size(), "[" + std::string(section) + "]");
}

inline std::vector<std::string> SectionNames(std::string_view text) {
    std::vector<std::string> names;
    for (const Line& line : SplitLines(text))
        if (line.kind == LineKind::Section) names.emplace_back(line.name);
    return names;
}

}  // namespace vellomar::fuzz::reference
