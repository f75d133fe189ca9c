#pragma once
// An ini text read once for many reads and writes, as a settings file with a
// thousand keys needs: each call finds its line through an index instead of
// reading the whole text again. The rules are those described in IniText.h,
// whose one-call functions are built on this class.
//
// Memory stays a small multiple of the text's size whatever the text: a line
// costs a 12-byte record, a run of lines no look-up finds one record for all,
// and a name is indexed by its line's number, never by a copy of the name.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FlatIndex.h"

namespace vellomar {

class IniDocument {
public:
    // The most text a document holds, the text read and every line written
    // since together: far beyond any settings file (TextFile.h reads none over
    // 16 MiB), and small enough for 32-bit offsets and line numbers.
    static constexpr std::size_t kMaxTextSize = (std::size_t{1} << 30) - 1;

    // Throws std::length_error for a text over kMaxTextSize.
    explicit IniDocument(std::string text);

    // The value of key in the first section of that name, or nothing when either is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // Sets key in the first section of that name: rewritten in place when there,
    // else after the section's last key; a missing section is appended first.
    // Throws std::invalid_argument, changing nothing, for what would not read back,
    // and std::length_error, changing nothing, when the text would outgrow kMaxTextSize.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Appends an empty section when none of that name exists. Throws as SetValue does.
    void AddSection(std::string_view section);

    bool HasSection(std::string_view section) const;
    // The names of all sections, in text order, as written.
    std::vector<std::string> SectionNames() const;
    std::string Text() const;

private:
    // A line number or an offset into text_; kNoLine for none.
    using Index = std::uint32_t;
    static constexpr Index kNoLine = static_cast<Index>(-1);

    enum class LineEnd : std::uint32_t { None, Lf, CrLf, Cr };

    // A piece of the text: a line a look-up finds (a first section header, the
    // first key of a name in it), or a run of lines none finds, held as one
    // piece so that blank lines, comments and the like cost nothing each.
    // Every line written adds at least one byte to text_ and at most two
    // pieces, so kMaxTextSize bounds the pieces well below kNoLine.
    struct Line {
        Index begin;            // where its content lies in text_
        Index size : 30;        // of its content, without the last line end
        LineEnd ending : 2;     // None for a last line without one
        Index next;             // the piece after it in the text, or kNoLine
    };
    static_assert(sizeof(Line) == 12);

    // Where a section's next new key goes: after a piece, or after the line
    // ending at end inside a run (kNoLine: after the whole piece).
    struct KeyPlace {
        Index line = kNoLine;
        Index end = kNoLine;
    };

    // The first section of a name; later ones of the same name are never read or written.
    struct Section {
        Index header;      // its line, which names it
        KeyPlace lastKey;  // the header while the section has no key
    };

    // The first key of a name in a section.
    struct KeyEntry {
        Index line;
        Index section;
        bool operator==(const KeyEntry&) const = default;
    };

    static LineEnd EndingOf(std::string_view spelling);
    static std::string_view Spelling(LineEnd ending);

    std::string_view Content(const Line& line) const;
    std::string_view NameAt(Index line) const;
    std::optional<Index> FindSection(std::string_view name) const;
    std::optional<Index> FindKey(Index section, std::string_view name) const;
    static std::size_t KeyHash(Index section, std::string_view name);
    Index AddSectionAt(Index header, std::string_view name);
    void AddKey(Index section, Index line, std::string_view name);
    void RequireRoom(std::size_t added) const;
    Line Stored(std::string_view content);
    Index AppendLine(const Line& line);
    Index InsertAfter(KeyPlace place, const Line& line);
    Index SplitAfter(KeyPlace place);
    Index SectionToWrite(std::string_view section);

    // The text read, then the content of every line written since: lines refer
    // to it by offset, so a write appends its line and moves no other.
    std::string text_;
    // Deques: they grow by blocks, never holding an old and a new array at once.
    std::deque<Line> lines_;  // in the order made; next links them in text order
    Index firstLine_ = kNoLine;
    Index lastLine_ = kNoLine;
    std::deque<Section> sections_;
    FlatIndex<Index> sectionIndex_{kNoLine};             // sections_ by name
    FlatIndex<KeyEntry> keyIndex_{{kNoLine, kNoLine}};  // keys by section and name
};

}  // namespace vellomar
