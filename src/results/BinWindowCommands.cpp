#include "results/BinWindowCommands.h"

#include "platform/DrivePath.h"
#include "results/BinFailures.h"
#include "results/BinItemKey.h"

namespace vellomar {

namespace {

std::string RestoreFailureText(const BinItem& item, BinOutcome outcome, const BinPrompts& prompts) {
    if (outcome == BinOutcome::TargetExists)
        return "A file already exists at " + prompts.Shown(item.originalPath) +
               ". The file stays in the bin.";
    return "The file could not be restored to " + prompts.Shown(ListedText(item)) + ": " +
           std::string(BinOutcomeReason(outcome)) + ". The file stays in the bin.";
}

}  // namespace

std::string ListedText(const BinItem& item) {
    if (!item.originalPath.empty()) return item.originalPath;
    return "(origin unknown) " + JoinDrivePath(JoinDrivePath(item.binFolder, item.id), item.name);
}

BinWindowCommands::BinWindowCommands(GarbageBin& bin, BinPrompts& prompts,
                                     std::int32_t& cleanedFileCount, double& reclaimedBytes,
                                     BinListing listing)
    : bin_(bin),
      prompts_(prompts),
      cleanedFileCount_(cleanedFileCount),
      reclaimedBytes_(reclaimedBytes) {
    if (listing == BinListing::NamedItem) return;
    items_ = bin_.SweepUnfinishedMoves(std::chrono::system_clock::now());
    if (!items_.empty()) highlighted_ = 0;
    ReportSkippedBins();
}

bool BinWindowCommands::ShowItemOfKey(std::string_view key) {
    shownId_ = std::string(BinItemIdOfKey(key));
    items_ = bin_.ItemsWithId(*shownId_);
    highlighted_ = FindBinItem(items_, key);
    return highlighted_.has_value();
}

void BinWindowCommands::Refresh() {
    if (shownId_) {
        items_ = bin_.ItemsWithId(*shownId_);
    } else {
        items_ = bin_.Items();
        ReportSkippedBins();
    }
    if (items_.empty())
        highlighted_.reset();
    else
        highlighted_ = std::min(highlighted_.value_or(0), items_.size() - 1);
}

void BinWindowCommands::Highlight(std::optional<std::size_t> index) {
    highlighted_ = index && *index < items_.size() ? index : std::nullopt;
}

BinLines BinWindowCommands::Lines(const DateFormatter& formatDate) const {
    BinLines lines{"Files in bin = " + std::to_string(items_.size()),
                   "Byte Size   = ", "File Date   = "};
    if (highlighted_) {
        const BinItem& item = items_[*highlighted_];
        lines.size += std::to_string(item.size);
        lines.date += formatDate(FileTime::Of(item.moved));
    }
    return lines;
}

void BinWindowCommands::DeleteFile() {
    const BinItem* item = HighlightedItem();
    if (!item) return;
    const std::string question = "Permanently delete " + prompts_.Shown(ListedText(*item)) +
                                 " from the bin? Click \"Yes\" to delete this file, or \"No\" to "
                                 "keep it in the bin.";
    if (!prompts_.Confirm(question)) return;
    const BinOutcome outcome = bin_.Remove(*item);
    if (outcome == BinOutcome::Done) {
        Count(*item);
    } else if (!ReportedBinChanged(outcome)) {
        const std::string reason(BinOutcomeReason(outcome));
        prompts_.ShowMessage(MessageKind::Warning,
                             "The file could not be deleted from the bin: " + reason + ".");
    }
    Refresh();
}

void BinWindowCommands::RestoreFile() {
    const BinItem* item = HighlightedItem();
    if (!item) return;
    const BinOutcome outcome = bin_.Restore(*item);
    if (outcome != BinOutcome::Done && !ReportedBinChanged(outcome))
        prompts_.ShowMessage(MessageKind::Warning, RestoreFailureText(*item, outcome, prompts_));
    Refresh();
}

void BinWindowCommands::EmptyEntireBin() {
    if (items_.empty()) {
        prompts_.ShowMessage(MessageKind::Plain, "The bin is currently empty.");
        return;
    }
    std::vector<const BinItem*> chosen;
    for (const BinItem& item : items_) chosen.push_back(&item);
    RemoveForGood(chosen, "Permanently delete ALL " + std::to_string(items_.size()) +
                              " file(s) in the bin? Click \"Yes\" to delete these files, or "
                              "\"No\" to keep them in the bin.");
}

void BinWindowCommands::EmptyItemsMovedBefore(std::chrono::system_clock::time_point moment) {
    std::vector<const BinItem*> chosen;
    for (const BinItem& item : items_)
        if (item.moved < moment) chosen.push_back(&item);
    if (chosen.empty()) {
        prompts_.ShowMessage(MessageKind::Plain, "No file in the bin was moved in before then.");
        return;
    }
    RemoveForGood(chosen, "Permanently delete the " + std::to_string(chosen.size()) +
                              " file(s) moved to the bin before then? Click \"Yes\" to delete "
                              "these files, or \"No\" to keep them in the bin.");
}

void BinWindowCommands::RemoveForGood(const std::vector<const BinItem*>& chosen,
                                      const std::string& question) {
    if (!prompts_.Confirm(question)) return;
    std::size_t removed = 0;
    bool changed = false;  // an item listed is gone or another now: it is left alone
    std::vector<BinFailure> failures;
    ProgressScope progress(prompts_.Progress(), "Deleting files from the bin", chosen.size());
    for (const BinItem* chosenItem : chosen) {
        const BinItem& item = *chosenItem;
        const BinOutcome outcome = bin_.Remove(item);
        changed = changed || outcome == BinOutcome::BinChanged;
        if (outcome == BinOutcome::Done) {
            Count(item);
            ++removed;
        } else {
            failures.push_back({prompts_.Shown(ListedText(item)), outcome});
        }
        progress.Reached(removed + failures.size());
    }
    progress.End();
    if (!failures.empty())
        prompts_.ShowMessage(MessageKind::Warning,
                             std::to_string(removed) + " out of " + std::to_string(chosen.size()) +
                                 " files have been deleted from the bin. " +
                                 (changed ? "The bin has changed since it was listed: the list "
                                            "now shows what it holds."
                                          : "The remaining files could not be deleted.") +
                                 BinFailureLines(failures, prompts_.FailuresNamed()));
    Refresh();
}

const BinItem* BinWindowCommands::HighlightedItem() {
    if (items_.empty()) {
        prompts_.ShowMessage(MessageKind::Plain, "The bin is currently empty.");
        return nullptr;
    }
    if (!highlighted_) {
        prompts_.ShowMessage(MessageKind::Plain, "Highlight a file in the bin first.");
        return nullptr;
    }
    return &items_[*highlighted_];
}

bool BinWindowCommands::ReportedBinChanged(BinOutcome outcome) {
    if (outcome != BinOutcome::BinChanged) return false;
    prompts_.ShowMessage(MessageKind::Warning,
                         "The bin has changed since it was listed: nothing was done. The list "
                         "now shows what the bin holds.");
    return true;
}

void BinWindowCommands::ReportSkippedBins() {
    for (const std::string& path : bin_.SkippedBins())
        prompts_.ShowMessage(MessageKind::Warning,
                             "The bin " + path + " was passed over: it is a link now, no folder, "
                             "or another user's. Nothing in it is listed or touched.");
}

void BinWindowCommands::Count(const BinItem& removed) {
    ++cleanedFileCount_;
    reclaimedBytes_ += static_cast<double>(removed.size);
}

}  // namespace vellomar
