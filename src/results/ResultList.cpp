#include "results/ResultList.h"

namespace vellomar {

void ResultList::Append(std::string entry) {
    texts_.push_back(std::move(entry));
    if (!foundAs_.empty()) foundAs_.emplace_back();
    highlighted_.push_back(false);
}

void ResultList::Clear() {
    // A million paths is worth handing back.
    std::vector<std::string>().swap(texts_);
    std::vector<std::string>().swap(foundAs_);
    std::vector<bool>().swap(highlighted_);
    highlightedCount_ = 0;
    current_.reset();
    ++generation_;
    ++selectionGeneration_;
}

const std::string& ResultList::FoundPath(std::size_t index) const {
    if (foundAs_.empty() || foundAs_[index].empty()) return texts_[index];
    return foundAs_[index];
}

void ResultList::SetText(std::size_t index, std::string text) {
    if (text == texts_[index]) return;
    if (foundAs_.empty()) foundAs_.resize(texts_.size());
    if (foundAs_[index].empty()) foundAs_[index] = std::move(texts_[index]);
    texts_[index] = std::move(text);
}

void ResultList::KeepRows(const std::vector<std::size_t>& rows) {
    std::vector<std::string> texts;
    texts.reserve(rows.size());
    std::vector<std::string> foundAs;
    if (!foundAs_.empty()) foundAs.reserve(rows.size());
    for (std::size_t row : rows) {
        texts.push_back(std::move(texts_[row]));
        if (!foundAs_.empty()) foundAs.push_back(std::move(foundAs_[row]));
    }
    texts_ = std::move(texts);
    foundAs_ = std::move(foundAs);
    highlighted_.assign(texts_.size(), false);
    highlightedCount_ = 0;
    current_.reset();
    if (!texts_.empty()) current_ = 0;
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
    if (texts_.empty()) return;
    highlighted_.assign(texts_.size(), true);
    highlightedCount_ = texts_.size();
    current_ = texts_.size() - 1;
    ++selectionGeneration_;
}

void ResultList::ClearHighlights() {
    highlighted_.assign(texts_.size(), false);
    highlightedCount_ = 0;
    ++selectionGeneration_;
}

void ResultList::SetCurrent(std::size_t index) {
    current_ = index;
    ++selectionGeneration_;
}

}  // namespace vellomar
