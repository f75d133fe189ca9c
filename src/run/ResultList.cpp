#include "run/ResultList.h"

#include "platform/AsciiCase.h"

namespace vellomar {

void ResultList::Append(std::string_view entry) {
    foundAs_.Append(entry);
    shownLowerCased_.push_back(false);
    highlighted_.push_back(false);
}

void ResultList::Clear() {
    // A million paths is worth handing back.
    foundAs_.Clear();
    std::vector<bool>().swap(shownLowerCased_);
    std::vector<bool>().swap(highlighted_);
    highlightedCount_ = 0;
    current_.reset();
    ++generation_;
    ++selectionGeneration_;
}

std::string ResultList::At(std::size_t index) const {
    const std::string_view found = foundAs_.At(index);
    return shownLowerCased_[index] ? ToAsciiLower(found) : std::string(found);
}

void ResultList::KeepRows(const std::vector<std::size_t>& rows) {
    PackedTexts foundAs;
    std::vector<bool> shownLowerCased;
    shownLowerCased.reserve(rows.size());
    for (std::size_t row : rows) {
        foundAs.Append(foundAs_.At(row));
        shownLowerCased.push_back(shownLowerCased_[row]);
    }
    foundAs_ = std::move(foundAs);
    shownLowerCased_ = std::move(shownLowerCased);
    highlighted_.assign(Count(), false);
    highlightedCount_ = 0;
    current_.reset();
    if (!Empty()) current_ = 0;
    ++generation_;
    ++selectionGeneration_;
}

void ResultList::Highlight(std::size_t index) {
    if (!highlighted_[index]) {
        highlighted_[index] = true;
        ++highlightedCount_;
    }
    current_ = index;
    ++selectionGeneration_;
}

void ResultList::RemoveHighlight(std::size_t index) {
    if (!highlighted_[index]) return;
    highlighted_[index] = false;
    --highlightedCount_;
    ++selectionGeneration_;
}

void ResultList::HighlightAll() {
    if (Empty()) return;
    highlighted_.assign(Count(), true);
    highlightedCount_ = Count();
    current_ = Count() - 1;
    ++selectionGeneration_;
}

void ResultList::ClearHighlights() {
    highlighted_.assign(Count(), false);
    highlightedCount_ = 0;
    ++selectionGeneration_;
}

void ResultList::SetCurrent(std::size_t index) {
    current_ = index;
    ++selectionGeneration_;
}

}  // namespace vellomar
