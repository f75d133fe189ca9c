#pragma once
// The result list: one drive-form path per entry, in the order found, with the
// highlighted entries and the current one. Windows mirror it: Generation()
// tells them when entries were removed or rebuilt rather than appended, and
// SelectionGeneration() when the program changed highlights or the current entry.
//
// An entry may be shown lower-cased (an "Ignore Case" sort does that), but it
// keeps naming the very file it was found as: FoundPath() is the path as found,
// and Listed() the file that stood there then, which every act on the entry
// checks. Only the path as found and the file's identity are stored, packed
// with the others (the identity in a few variable-length bytes before the
// path), with one bit for the lower-cased showing, so a million entries cost
// little more than their text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileActs.h"
#include "run/PackedTexts.h"

namespace vellomar {

class ResultList {
public:
    void Append(std::string_view entry, const ListedFile& file);
    void Clear();

    std::size_t Count() const { return foundAs_.Count(); }
    bool Empty() const { return foundAs_.Count() == 0; }
    // The entry's text as the list shows it.
    std::string At(std::size_t index) const;
    // The file the entry names: its text as it was found.
    std::string_view FoundPath(std::size_t index) const;
    // The file the entry was listed as.
    ListedFile Listed(std::size_t index) const;

    // From now on the entry is shown with its ASCII letters lower-cased.
    void ShowLowerCased(std::size_t index) { shownLowerCased_[index] = true; }
    // Rebuilds the list in one pass from the given rows, in their order (each
    // at most once): what a sort, a filter or a deletion leaves. Highlights
    // are cleared and the first entry, if any, becomes current.
    void KeepRows(const std::vector<std::size_t>& rows);

    bool IsHighlighted(std::size_t index) const { return highlighted_[index]; }
    std::size_t HighlightedCount() const { return highlightedCount_; }
    // Highlighting an entry also makes it current; removing a highlight leaves
    // the current entry where it is.
    void Highlight(std::size_t index);
    void RemoveHighlight(std::size_t index);
    // Every entry, first to last: the last ends as the current one.
    void HighlightAll();
    void ClearHighlights();

    std::optional<std::size_t> Current() const { return current_; }
    void SetCurrent(std::size_t index);

    std::uint64_t Generation() const { return generation_; }
    std::uint64_t SelectionGeneration() const { return selectionGeneration_; }

private:
    PackedTexts foundAs_;  // each entry's identity, then its path
    // The devices of the listed files, each once: an entry holds its place here.
    std::vector<std::uint64_t> devices_;
    std::string record_;  // the entry being appended
    std::vector<bool> shownLowerCased_;
    std::vector<bool> highlighted_;
    std::size_t highlightedCount_ = 0;
    std::optional<std::size_t> current_;
    std::uint64_t generation_ = 0;
    std::uint64_t selectionGeneration_ = 0;
};

}  // namespace vellomar
