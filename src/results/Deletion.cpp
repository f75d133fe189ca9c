#include "results/Deletion.h"

#include <optional>
#include <string>

#include "platform/FolderTrail.h"
#include "results/GarbageBin.h"

namespace vellomar {
namespace {

constexpr std::string_view kDeletingFiles = "Deleting files";
constexpr std::string_view kAllRemoved =
    "All the files selected have been successfully removed.";

std::string ConfirmationText(std::size_t highlighted) {
  return "Delete " + std::to_string(highlighted) +
         " highlighted file(s) in your listbox? Click \"Yes\" to delete these "
         "files, or "
         "\"No\" to simply view them.";
}

std::string NotAllRemovedText(std::size_t removed, std::size_t highlighted) {
  return std::to_string(removed) + " out of " + std::to_string(highlighted) +
         " files have been removed. The remaining files appear to be locked by "
         "some other application. Please verify that these files are not in "
         "use.";
}

std::string StoppedText(std::size_t removed, std::size_t highlighted) {
  return "Stopped: " + std::to_string(removed) + " out of " +
         std::to_string(highlighted) +
         " files have been removed; the others stay listed.";
}

// Deletes the file an entry was listed as and counts it by the size it had
// when it went; anything but Done when it is still there (or was never
// there), or when another file, or the file rewritten, stands at its path now.
FileOutcome RemoveFile(DeletionContext &context, FolderTrail &trail,
                       std::size_t row) {
  const ResultList &list = context.session.results;
  EntryCheck check = context.session.scan.ageGuard.StillOldEnough();
  check.listed = list.Listed(row);
  // By the path it was found as: a sort may have lowered the shown text,
  // which could name another file differing in letter case alone.
  const RemovedFile removed = trail.DeleteFile(list.FoundPath(row), check);
  if (removed.outcome != FileOutcome::Done)
    return removed.outcome;
  context.session.scan.SubtractListedBytes(static_cast<double>(removed.size));
  context.session.cleanup.ReclaimedBytes += static_cast<double>(removed.size);
  ++context.session.cleanup.CleanedFileCount;
  return FileOutcome::Done;
}

// Visits the entries first to last, deleting the file of each highlighted one,
// and tells the user how it went. The list itself is left as it is, so the
// window behind the message still shows what it holds. Returns the rows whose
// files were removed, ascending.
std::vector<std::size_t>
RemoveFilesOfHighlightedEntries(DeletionContext &context) {
  const ResultList &list = context.session.results;
  const std::size_t highlighted = list.HighlightedCount();
  std::vector<std::size_t> removed;
  removed.reserve(highlighted);
  std::vector<BinFailure> failures;
  FolderTrail trail = context.session.platform.Files().Trail();
  ProgressScope progress(context.prompts.Progress(), kDeletingFiles, highlighted);
  bool stopped = false;
  // The visit ends as soon as every highlighted file is gone.
  for (std::size_t row = 0; row < list.Count() && removed.size() < highlighted;
       ++row) {
    if (!list.IsHighlighted(row))
      continue;
    if (context.session.stopRequested()) {
      stopped = true;
      break;
    }
    const FileOutcome outcome = RemoveFile(context, trail, row);
    if (outcome == FileOutcome::Done)
      removed.push_back(row);
    else
      failures.push_back(
          {context.prompts.Shown(list.At(row)), BinOutcomeOf(outcome)});
    progress.Reached(removed.size() + failures.size());
  }
  progress.End();
  if (list.Empty())
    return removed;
  if (stopped)
    context.prompts.ShowMessage(MessageKind::Warning,
                                StoppedText(removed.size(), highlighted));
  else if (removed.size() == highlighted)
    context.prompts.ShowMessage(MessageKind::Information, kAllRemoved);
  else
    // The text stays the program's own whatever the causes; the files
    // and their reasons come with it.
    context.prompts.ShowNotAllRemoved(
        NotAllRemovedText(removed.size(), highlighted), failures);
  return removed;
}

} // namespace

void DeletionPrompts::ShowNotAllRemoved(
    std::string_view warning, const std::vector<BinFailure> &failures) {
  ShowMessage(MessageKind::Warning,
              std::string(warning) +
                  BinFailureLines(failures, failures.size()));
}

void DeleteHighlighted(DeletionContext &context) {
  ResultList &list = context.session.results;
  const std::optional<std::size_t> current = list.Current();
  RemoveHighlightedFiles(context);
  if (list.Empty()) {
    context.view.SetEmptyListState();
    return;
  }
  list.Highlight(current && *current < list.Count() ? *current : 0);
  context.view.ShowListChange();
  context.view.DescribeCurrentEntry();
  context.view.ShowDateAndSizeLines();
}

void HighlightAllAndDelete(DeletionContext &context) {
  context.session.results.HighlightAll();
  context.view.ShowListChange();
  DeleteHighlighted(context);
}

void RemoveHighlightedFiles(DeletionContext &context) {
  ResultList &list = context.session.results;
  // A program that is ending closes the question as if cancelled.
  const std::string question = ConfirmationText(list.HighlightedCount());
  const bool confirmed = !context.session.endRequested &&
                         context.prompts.ConfirmDeletion(question);
  if (!confirmed) {
    list.ClearHighlights();
    if (!list.Empty())
      list.SetCurrent(0);
    context.view.ShowListChange();
    context.view.DescribeCurrentEntry();
    return;
  }
  DropRows(list, RemoveFilesOfHighlightedEntries(context));
  context.view.ShowListChange();
  context.view.ShowEntryCount(list.Count());
  context.view.ShowByteTotal(context.session.scan.ScanBytes);
}

void DropRows(ResultList &list, const std::vector<std::size_t> &rows) {
  std::vector<std::size_t> kept;
  kept.reserve(list.Count() - rows.size());
  auto dropped = rows.begin();
  for (std::size_t row = 0; row < list.Count(); ++row) {
    if (dropped != rows.end() && *dropped == row)
      ++dropped;
    else
      kept.push_back(row);
  }
  list.KeepRows(kept);
}

} // namespace vellomar
