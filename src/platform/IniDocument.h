#pragma once
// An ini text read once for many reads and writes, as a settings file with a
// thousand keys needs: each call finds its line through an index instead of
// reading the whole text again. The rules are those described in IniText.h,
// whose one-call functions are built on this class.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vellomar {

class IniDocument {
public:
    explicit IniDocument(std::string_view text);

    // The value of key in the first section of that name, or nothing when either is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Sets key in the first section of that name: rewritten in place when there,
    // else after the section's last key; a missing section is appended first.
    // Throws std::invalid_argument, changing nothing, for what would not read back.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Appends an empty section when none of that name exists. Throws as SetValue does.
    void AddSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    // The names of all sections, in text order, as written.
    std::vector<std::string> SectionNames() const;
    std::string Text() const;

private:
    static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

    // A piece of the text: a line a look-up finds (a first section header, the
    // first key of a name in it), or a run of lines none finds, held as one
    // piece so that blank lines, comments and the like cost nothing each.
    struct Line {
        std::size_t begin;        // where its content lies in text_
        std::size_t size;         // of its content, without the last line end
        std::string_view ending;  // "\n", "\r\n", "\r", or "" for a last line without one
        std::size_t next;         // the piece after it in the text, or kNoLine
    };

    // Where a section's next new key goes: after a piece, or after the line
    // ending at end inside a run (kNoLine: after the whole piece).
    struct KeyPlace {
        std::size_t line = kNoLine;
        std::size_t end = kNoLine;
    };

    // The first section of a name; later ones of the same name are never read or written.
    struct Section {
        KeyPlace lastKey;  // the header while the section has no key
        std::unordered_map<std::string, std::size_t> keys;  // upper-cased name -> first line
    };

    std::string_view Content(const Line& line) const;
    Line Stored(std::string_view content);
    std::size_t AppendLine(const Line& line);
    std::size_t InsertAfter(KeyPlace place, const Line& line);
    std::size_t SplitAfter(KeyPlace place);
    Section& SectionToWrite(std::string_view section);

    // The text read, then the content of every line written since: lines refer
    // to it by offset, so a write appends its line and moves no other.
    std::string text_;
    std::vector<Line> lines_;  // in the order made; next links them in text order
    std::size_t firstLine_ = kNoLine;
    std::size_t lastLine_ = kNoLine;
    std::unordered_map<std::string, Section> sections_;  // by upper-cased name
};

}  // namespace vellomar
