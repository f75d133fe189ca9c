#include "platform/IniDocument.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

// The spellings of IniDocument::LineEnd's values, in their order.
constexpr std::string_view kLineEndSpellings[] = {"", "\n", "\r\n", "\r"};

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

IniDocument::IniDocument(std::string read) : text_(std::move(read)) {
    if (text_.size() > kMaxTextSize) throw std::length_error("ini text too large");
    const std::string_view text = text_;
    Index open = kNoLine;  // the section being read, while it is the first of its name
    Index run = kNoLine;   // the run that lines no look-up finds join
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t contentEnd = ContentEnd(text, begin);
        const std::string_view ending = LineEndAt(text, contentEnd);
        const LineEnd lineEnd = EndingOf(ending);
        const LineReading reading = Read(text.substr(begin, contentEnd - begin));
        const auto line = [&] {
            return Line{Index(begin), Index(contentEnd - begin), lineEnd, kNoLine};
        };
        bool found = false;  // by a look-up, so it is a piece of its own: the next one made
        if (reading.kind == LineKind::Section) {
            found = !FindSection(reading.name);
            open = found ? AddSectionAt(Index(lines_.size()), reading.name) : kNoLine;
        } else if (reading.kind == LineKind::Key && open != kNoLine) {
            found = !FindKey(open, reading.name);
            if (found) AddKey(open, Index(lines_.size()), reading.name);
        }
        if (found) {
            sections_[open].lastKey = {AppendLine(line()), kNoLine};
            run = kNoLine;
        } else {
            if (run == kNoLine) run = AppendLine(line());
            Line& piece = lines_[run];
            piece.size = Index(contentEnd - piece.begin);
            piece.ending = lineEnd;
            // A later key of a name is never read, but new keys still go after it.
            if (reading.kind == LineKind::Key && open != kNoLine)
                sections_[open].lastKey = {run, Index(contentEnd)};
        }
        begin = contentEnd + ending.size();
    }
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const std::optional<Index> found = FindSection(section);
    if (!found) return std::nullopt;
    const std::optional<Index> line = FindKey(*found, key);
    if (!line) return std::nullopt;
    return std::string(Read(Content(lines_[*line])).value);
}

void IniDocument::SetValue(std::string_view section, std::string_view key,
                           std::string_view value) {
    RequireStorableSection(section);
    RequireStorableEntry(key, value);
    // The line takes the caller's spelling of the key, so the file reads as the program writes it.
    const std::string entry = std::string(key) + "=" + StoredValue(value);
    RequireRoom(entry.size() + section.size() + 2);  // the entry, and a header for a new section
    const Index target = SectionToWrite(section);
    if (const std::optional<Index> line = FindKey(target, key)) {
        // Rewritten in place: the line keeps its line end and its neighbours.
        const Line rewritten = Stored(entry);
        lines_[*line].begin = rewritten.begin;
        lines_[*line].size = rewritten.size;
        return;
    }
    const Index added = InsertAfter(sections_[target].lastKey, Stored(entry));
    AddKey(target, added, key);
    sections_[target].lastKey = {added, kNoLine};
}

void IniDocument::AddSection(std::string_view section) {
    RequireStorableSection(section);
    RequireRoom(section.size() + 2);
    SectionToWrite(section);
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (Index line = firstLine_; line != kNoLine; line = lines_[line].next) {
        ForEachLineOf(Content(lines_[line]), [&](std::string_view content) {
            const LineReading reading = Read(content);
            if (reading.kind == LineKind::Section) names.emplace_back(reading.name);
        });
    }
    return names;
}

std::string IniDocument::Text() const {
    std::string text;
    for (Index line = firstLine_; line != kNoLine; line = lines_[line].next)
        text.append(Content(lines_[line])).append(Spelling(lines_[line].ending));
    return text;
}

// Of a spelling LineEndAt gives.
IniDocument::LineEnd IniDocument::EndingOf(std::string_view spelling) {
    if (spelling.empty()) return LineEnd::None;
    if (spelling.size() == 2) return LineEnd::CrLf;
    return spelling[0] == '\n' ? LineEnd::Lf : LineEnd::Cr;
}

std::string_view IniDocument::Spelling(LineEnd ending) {
    return kLineEndSpellings[static_cast<std::size_t>(ending)];
}

std::string_view IniDocument::Content(const Line& line) const {
    return std::string_view(text_).substr(line.begin, line.size);
}

// The name of a section header or key line.
std::string_view IniDocument::NameAt(Index line) const { return Read(Content(lines_[line])).name; }

std::size_t IniDocument::KeyHash(Index section, std::string_view name) {
    return HashIgnoringAsciiCase(name) ^ (section * std::size_t{0x9e3779b97f4a7c15u});
}

std::optional<IniDocument::Index> IniDocument::FindSection(std::string_view name) const {
    return sectionIndex_.Find(HashIgnoringAsciiCase(name), [&](Index section) {
        return EqualsIgnoringAsciiCase(NameAt(sections_[section].header), name);
    });
}

std::optional<IniDocument::Index> IniDocument::FindKey(Index section, std::string_view name) const {
    const std::optional<KeyEntry> found = keyIndex_.Find(KeyHash(section, name), [&](KeyEntry key) {
        return key.section == section && EqualsIgnoringAsciiCase(NameAt(key.line), name);
    });
    return found ? std::optional<Index>(found->line) : std::nullopt;
}

// A first section of its name, headed by the line header (which may be the next one made).
IniDocument::Index IniDocument::AddSectionAt(Index header, std::string_view name) {
    const Index added = Index(sections_.size());
    sections_.push_back(Section{header, {header, kNoLine}});
    sectionIndex_.Add(HashIgnoringAsciiCase(name), added, [&](Index section) {
        return HashIgnoringAsciiCase(NameAt(sections_[section].header));
    });
    return added;
}

// The first key of its name in section, at line (which may be the next one made).
void IniDocument::AddKey(Index section, Index line, std::string_view name) {
    keyIndex_.Add(KeyHash(section, name), KeyEntry{line, section},
                  [&](KeyEntry key) { return KeyHash(key.section, NameAt(key.line)); });
}

void IniDocument::RequireRoom(std::size_t added) const {
    if (added > kMaxTextSize - text_.size()) throw std::length_error("ini text too large");
}

// A new line holding content, ended by "\n" and linked to nothing yet.
IniDocument::Line IniDocument::Stored(std::string_view content) {
    const Index begin = Index(text_.size());
    text_.append(content);
    return Line{begin, Index(content.size()), LineEnd::Lf, kNoLine};
}

IniDocument::Index IniDocument::AppendLine(const Line& line) {
    // A last line without a line end gets one before a line follows it.
    if (lastLine_ != kNoLine && lines_[lastLine_].ending == LineEnd::None)
        lines_[lastLine_].ending = LineEnd::Lf;
    lines_.push_back(line);
    const Index added = Index(lines_.size() - 1);
    (lastLine_ == kNoLine ? firstLine_ : lines_[lastLine_].next) = added;
    lastLine_ = added;
    return added;
}

IniDocument::Index IniDocument::InsertAfter(KeyPlace place, const Line& line) {
    const Index previous = SplitAfter(place);
    if (previous == lastLine_) return AppendLine(line);
    lines_.push_back(line);
    lines_.back().next = lines_[previous].next;
    lines_[previous].next = Index(lines_.size() - 1);
    return Index(lines_.size() - 1);
}

// The piece a line goes after to follow the place: a run the place lies inside
// is cut after its line, the rest of the run becoming a piece of its own.
IniDocument::Index IniDocument::SplitAfter(KeyPlace place) {
    Line& piece = lines_[place.line];
    const Index pieceEnd = piece.begin + piece.size;
    if (place.end == kNoLine || place.end == pieceEnd) return place.line;
    const std::string_view ending = LineEndAt(text_, place.end);
    const Index restBegin = place.end + Index(ending.size());
    const Line rest{restBegin, pieceEnd - restBegin, piece.ending, piece.next};
    piece.size = place.end - piece.begin;
    piece.ending = EndingOf(ending);
    piece.next = Index(lines_.size());
    if (lastLine_ == place.line) lastLine_ = Index(lines_.size());
    lines_.push_back(rest);
    return place.line;
}

IniDocument::Index IniDocument::SectionToWrite(std::string_view section) {
    if (const std::optional<Index> found = FindSection(section)) return *found;
    return AddSectionAt(AppendLine(Stored("[" + std::string(section) + "]")), section);
}

}  // namespace vellomar
