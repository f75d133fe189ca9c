#include "results/ResultList.h"

#include "platform/AsciiCase.h"

namespace vellomar {

void ResultList::Append(std::string entry) {
    foundAs_.push_back(std::move(entry));
    shownLowerCased_.push_back(false);
    highlighted_.push_back(false);
}

void ResultList::Clear() {
    // A million paths is worth handing back.
    std::vector<std::string>().swap(foundAs_);
    std::vector<bool>().swap(shownLowerCased_);
    std::vector<bool>().swap(highlighted_);
    highlightedCount_ = 0;
    current_.reset();
    ++generation_;
    ++selectionGeneration_;
}

std::string ResultList::At(std::size_t index) const {
    return shownLowerCased_[index] ? ToAsciiLower(foundAs_[index]) : foundAs_[index];
}

void ResultList::KeepRows(const std::vector<std::size_t>& rows) {
    std::vector<std::string> foundAs;
    foundAs.reserve(rows.size());
    std::vector<bool> shownLowerCased;
    shownLowerCased.reserve(rows.size());
    for (std::size_t row : rows) {
        foundAs.push_back(std::move(foundAs_[row]));
        shownLowerCased.push_back(shownLowerCased_[row]);
    }
    foundAs_ = std::move(foundAs);
    shownLowerCased_ = std::move(shownLowerCased);
    highlighted_.assign(foundAs_.size(), false);
    highlightedCount_ = 0;
    current_.reset();
    if (!foundAs_.empty()) current_ = 0;
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
    if (foundAs_.empty()) return;
    highlighted_.assign(foundAs_.size(), true);
    highlightedCount_ = foundAs_.size();
    current_ = foundAs_.size() - 1;
    ++selectionGeneration_;
}

void ResultList::ClearHighlights() {
    highlighted_.assign(foundAs_.size(), false);
    highlightedCount_ = 0;
    ++selectionGeneration_;
}

void ResultList::SetCurrent(std::size_t index) {
    current_ = index;
    ++selectionGeneration_;
}

}  // namespace vellomar
