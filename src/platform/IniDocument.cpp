#include "platform/IniDocument.h"

#include <algorithm>
#include <stdexcept>

#include "platform/AsciiCase.h"
#include "platform/IniText.h"

namespace vellomar {
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

// What a line says, as views into its content.
struct LineReading {
    LineKind kind = LineKind::Other;
    std::string_view name;   // the section's or key's name, trimmed
    std::string_view value;  // a key's value, trimmed and unquoted
};

LineReading Read(std::string_view content) {
    std::string_view trimmed = TrimBlanks(content);
    if (trimmed.starts_with('[')) {
        trimmed.remove_prefix(1);
        return {LineKind::Section, TrimBlanks(trimmed.substr(0, trimmed.find(']'))), {}};
    }
    const std::size_t equals = trimmed.find('=');
    if (trimmed.starts_with(';') || equals == std::string_view::npos) return {};
    return {LineKind::Key, TrimBlanks(trimmed.substr(0, equals)),
            Unquoted(TrimBlanks(trimmed.substr(equals + 1)))};
}

// Where the line from begin ends: a lone "\r" ends a line too, so that nothing
// read holds a line break and whatever is read can be written back. (A plain
// loop: find_first_of looks each character up in the set with a call of its own.)
std::size_t ContentEnd(std::string_view text, std::size_t begin) {
    const auto isBreak = [](char c) { return c == '\n' || c == '\r'; };
    return std::find_if(text.begin() + begin, text.end(), isBreak) - text.begin();
}

// The line end at offset, where ContentEnd stopped.
std::string_view LineEndAt(std::string_view text, std::size_t offset) {
    if (offset == text.size()) return "";
    if (text.substr(offset).starts_with("\r\n")) return "\r\n";
    return text[offset] == '\n' ? "\n" : "\r";
}

// Calls visit with the content of each line of a text that holds one or more.
template <typename Visit>
void ForEachLineOf(std::string_view text, Visit visit) {
    for (std::size_t begin = 0;;) {
        const std::size_t end = ContentEnd(text, begin);
        visit(text.substr(begin, end - begin));
        if (end == text.size()) return;
        begin = end + LineEndAt(text, end).size();
    }
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

}  // namespace

IniDocument::IniDocument(std::string_view text) : text_(text) {
    Section* open = nullptr;    // the section being read, while it is the first of its name
    std::size_t run = kNoLine;  // the run that lines no look-up finds join
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t contentEnd = ContentEnd(text, begin);
        const std::string_view ending = LineEndAt(text, contentEnd);
        const LineReading reading = Read(text.substr(begin, contentEnd - begin));
        bool found = false;  // by a look-up, so it is a piece of its own: the next one made
        if (reading.kind == LineKind::Section) {
            auto [section, first] = sections_.try_emplace(ToAsciiUpper(reading.name));
            open = first ? &section->second : nullptr;
            found = first;
        } else if (reading.kind == LineKind::Key && open) {
            found = open->keys.try_emplace(ToAsciiUpper(reading.name), lines_.size()).second;
        }
        if (found) {
            open->lastKey = {AppendLine(Line{begin, contentEnd - begin, ending, kNoLine}), kNoLine};
            run = kNoLine;
        } else {
            if (run == kNoLine) run = AppendLine(Line{begin, contentEnd - begin, ending, kNoLine});
            lines_[run].size = contentEnd - lines_[run].begin;
            lines_[run].ending = ending;
            // A later key of a name is never read, but new keys still go after it.
            if (reading.kind == LineKind::Key && open) open->lastKey = {run, contentEnd};
        }
        begin = contentEnd + ending.size();
    }
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const auto found = sections_.find(ToAsciiUpper(section));
    if (found == sections_.end()) return std::nullopt;
    const auto line = found->second.keys.find(ToAsciiUpper(key));
    if (line == found->second.keys.end()) return std::nullopt;
    return std::string(Read(Content(lines_[line->second])).value);
}

void IniDocument::SetValue(std::string_view section, std::string_view key,
                           std::string_view value) {
    RequireStorableSection(section);
    RequireStorableEntry(key, value);
    // The line takes the caller's spelling of the key, so the file reads as the program writes it.
    const std::string entry = std::string(key) + "=" + StoredValue(value);
    Section& target = SectionToWrite(section);
    auto [line, added] = target.keys.try_emplace(ToAsciiUpper(key), kNoLine);
    if (added) {
        line->second = InsertAfter(target.lastKey, Stored(entry));
        target.lastKey = {line->second, kNoLine};
        return;
    }
    // Rewritten in place: the line keeps its line end and its neighbours.
    const Line rewritten = Stored(entry);
    lines_[line->second].begin = rewritten.begin;
    lines_[line->second].size = rewritten.size;
}

void IniDocument::AddSection(std::string_view section) {
    RequireStorableSection(section);
    SectionToWrite(section);
}

bool IniDocument::HasSection(std::string_view section) const {
    return sections_.contains(ToAsciiUpper(section));
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t line = firstLine_; line != kNoLine; line = lines_[line].next) {
        ForEachLineOf(Content(lines_[line]), [&](std::string_view content) {
            const LineReading reading = Read(content);
            if (reading.kind == LineKind::Section) names.emplace_back(reading.name);
        });
    }
    return names;
}

std::string IniDocument::Text() const {
    std::string text;
    for (std::size_t line = firstLine_; line != kNoLine; line = lines_[line].next)
        text.append(Content(lines_[line])).append(lines_[line].ending);
    return text;
}

std::string_view IniDocument::Content(const Line& line) const {
    return std::string_view(text_).substr(line.begin, line.size);
}

// A new line holding content, ended by "\n" and linked to nothing yet.
IniDocument::Line IniDocument::Stored(std::string_view content) {
    const std::size_t begin = text_.size();
    text_.append(content);
    return Line{begin, content.size(), "\n", kNoLine};
}

std::size_t IniDocument::AppendLine(const Line& line) {
    // A last line without a line end gets one before a line follows it.
    if (lastLine_ != kNoLine && lines_[lastLine_].ending.empty()) lines_[lastLine_].ending = "\n";
    lines_.push_back(line);
    const std::size_t added = lines_.size() - 1;
    (lastLine_ == kNoLine ? firstLine_ : lines_[lastLine_].next) = added;
    lastLine_ = added;
    return added;
}

std::size_t IniDocument::InsertAfter(KeyPlace place, const Line& line) {
    const std::size_t previous = SplitAfter(place);
    if (previous == lastLine_) return AppendLine(line);
    lines_.push_back(line);
    lines_.back().next = lines_[previous].next;
    lines_[previous].next = lines_.size() - 1;
    return lines_.size() - 1;
}

// The piece a line goes after to follow the place: a run the place lies inside
// is cut after its line, the rest of the run becoming a piece of its own.
std::size_t IniDocument::SplitAfter(KeyPlace place) {
    Line& piece = lines_[place.line];
    const std::size_t pieceEnd = piece.begin + piece.size;
    if (place.end == kNoLine || place.end == pieceEnd) return place.line;
    const std::string_view ending = LineEndAt(text_, place.end);
    const std::size_t restBegin = place.end + ending.size();
    const Line rest{restBegin, pieceEnd - restBegin, piece.ending, piece.next};
    piece.size = place.end - piece.begin;
    piece.ending = ending;
    piece.next = lines_.size();
    if (lastLine_ == place.line) lastLine_ = lines_.size();
    lines_.push_back(rest);
    return place.line;
}

IniDocument::Section& IniDocument::SectionToWrite(std::string_view section) {
    auto [found, added] = sections_.try_emplace(ToAsciiUpper(section));
    if (added) found->second.lastKey = {AppendLine(Stored("[" + std::string(section) + "]")), kNoLine};
    return found->second;
}

}  // namespace vellomar
