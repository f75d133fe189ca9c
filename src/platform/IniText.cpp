#include "platform/IniText.h"

#include <stdexcept>

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

namespace ini_text {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace ini_text

namespace {

using ini_text::TrimBlanks;

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == value.back() &&
           (value.front() == '"' || value.front() == '\'');
}

std::string_view Unquoted(std::string_view value) {
    return IsQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

// A value as its line holds it: quoted where reading would otherwise take
// blanks off its ends or quotes from around it.
std::string StoredValue(std::string_view value) {
    if (TrimBlanks(value) == value && !IsQuoted(value)) return std::string(value);
    return '"' + std::string(value) + '"';
}

enum class LineKind { Section, Key, Other };

struct Line {
    std::size_t begin = 0;       // offset of the first character
    std::size_t contentEnd = 0;  // offset of the "\n", "\r\n" or "\r" ending the line
    std::size_t end = 0;         // offset just past the line end
    LineKind kind = LineKind::Other;
    std::string_view name;   // the section's or key's name, trimmed
    std::string_view value;  // a key's value, trimmed and unquoted
};

void Classify(Line& line, std::string_view content) {
    std::string_view trimmed = TrimBlanks(content);
    if (trimmed.starts_with('[')) {
        trimmed.remove_prefix(1);
        line.kind = LineKind::Section;
        line.name = TrimBlanks(trimmed.substr(0, trimmed.find(']')));
        return;
    }
    std::size_t equals = trimmed.find('=');
    if (trimmed.starts_with(';') || equals == std::string_view::npos) return;
    line.kind = LineKind::Key;
    line.name = TrimBlanks(trimmed.substr(0, equals));
    line.value = Unquoted(TrimBlanks(trimmed.substr(equals + 1)));
}

// A lone "\r" ends a line too, so that nothing read holds a line break and
// whatever is read can be written back.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        Line line;
        line.begin = begin;
        line.contentEnd = std::min(text.find_first_of("\r\n", begin), text.size());
        line.end = text.compare(line.contentEnd, 2, "\r\n") == 0
                       ? line.contentEnd + 2
                       : std::min(line.contentEnd + 1, text.size());
        Classify(line, text.substr(begin, line.contentEnd - begin));
        lines.push_back(line);
        begin = line.end;
    }
    return lines;
}

// The first section of that name: its header's line index and the index past its last line.
struct SectionRange {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !EqualsIgnoringAsciiCase(lines[i].name, name))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }
bool HasOuterBlanks(std::string_view text) { return TrimBlanks(text).size() != text.size(); }

void RequireStorableSection(std::string_view section) {
    if (HasLineBreak(section) || HasOuterBlanks(section) || section.find(']') != section.npos)
        throw std::invalid_argument("section name cannot be stored");
}

void RequireStorableEntry(std::string_view key, std::string_view value) {
    if (HasLineBreak(key) || HasOuterBlanks(key) || key.find('=') != key.npos ||
        key.starts_with('[') || key.starts_with(';') || HasLineBreak(value))
        throw std::invalid_argument("key or value cannot be stored");
}

// The text with a line added at offset, which must be the end of a line; a last
// line without a line end gets one first.
std::string WithLineAt(std::string_view text, std::size_t offset, std::string_view line) {
    std::string result(text.substr(0, offset));
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += '\n';
    result.append(line).append("\n").append(text.substr(offset));
    return result;
}

}  // namespace

namespace ini_text {

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    std::vector<Line> lines = SplitLines(text);
    std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) return std::nullopt;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (lines[i].kind == LineKind::Key && EqualsIgnoringAsciiCase(lines[i].name, key))
            return std::string(lines[i].value);
    }
    return std::nullopt;
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    RequireStorableSection(section);
    RequireStorableEntry(key, value);
    // The line takes the caller's spelling of the key, so the file reads as the program writes it.
    std::string entry = std::string(key) + "=" + StoredValue(value);
    std::vector<Line> lines = SplitLines(text);
    std::optional<SectionRange> range = FindSection(lines, section);
    if (!range) return WithLineAt(text, text.size(), "[" + std::string(section) + "]\n" + entry);

    std::size_t lastKey = range->header;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        const Line& line = lines[i];
        if (line.kind != LineKind::Key) continue;
        if (EqualsIgnoringAsciiCase(line.name, key)) {
            std::string result(text);
            return result.replace(line.begin, line.contentEnd - line.begin, entry);
        }
        lastKey = i;
    }
    return WithLineAt(text, lines[lastKey].end, entry);
}

std::string WithSection(std::string_view text, std::string_view section) {
    RequireStorableSection(section);
    if (FindSection(SplitLines(text), section)) return std::string(text);
    return WithLineAt(text, text.size(), "[" + std::string(section) + "]");
}

std::vector<std::string> SectionNames(std::string_view text) {
    std::vector<std::string> names;
    for (const Line& line : SplitLines(text)) {
        if (line.kind == LineKind::Section) names.emplace_back(line.name);
    }
    return names;
}

}  // namespace ini_text

}  // namespace vellomar
