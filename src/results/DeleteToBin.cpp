#include "results/DeleteToBin.h"

#include <string>
#include <utility>
#include <vector>

#include "results/BinFailures.h"
#include "results/GarbageBin.h"
#include "run/EmptyListCheck.h"

namespace vellomar {
namespace {

std::string Question(std::size_t count) {
    return "Move " + std::to_string(count) +
           " highlighted file(s) to the Garbage Bin? Click \"Yes\" to move these files, or "
           "\"No\" to leave them where they are.";
}

std::string FailureReport(std::size_t moved, std::size_t total,
                          const std::vector<BinFailure>& failures, std::size_t named) {
    return std::to_string(moved) + " out of " + std::to_string(total) +
           " files have been moved to the Garbage Bin. These files could not be moved and stay "
           "in the list:" +
           BinFailureLines(failures, named);
}

std::string StoppedReport(std::size_t moved, std::size_t total) {
    return "Stopped: " + std::to_string(moved) + " out of " + std::to_string(total) +
           " files have been moved to the Garbage Bin; the others stay in the list.";
}

}  // namespace

void DeleteToBin(Session& session, DeleteToBinView& view, DeleteToBinPrompts& prompts) {
    ResultList& list = session.results;
    if (!ListReadyForFileCommand(list, prompts) || session.endRequested) return;
    const std::size_t total = list.HighlightedCount();
    if (total == 0) {
        prompts.ShowGarbageBin();
        return;
    }
    if (!prompts.Confirm(Question(total))) return;

    const GarbageBin bin(session.platform, session.dataFolder.DataFolderPath);
    GarbageBin::Moves moves(bin);
    const std::optional<std::size_t> current = list.Current();
    std::vector<std::size_t> keptRows;
    std::vector<std::size_t> failedPlaces;  // where the failed entries stand in the rebuilt list
    std::vector<BinFailure> failures;
    std::size_t moved = 0;
    bool stopped = false;  // the files after it stay where they are, and listed
    ProgressScope progress(prompts.Progress(), "Moving files to the Garbage Bin", total);
    for (std::size_t row = 0; row < list.Count(); ++row) {
        stopped = stopped || (list.IsHighlighted(row) && session.stopRequested());
        if (list.IsHighlighted(row) && !stopped) {
            EntryCheck check = session.scan.ageGuard.StillOldEnough();
            check.listed = list.Listed(row);
            const GarbageBin::MoveResult result = moves.MoveIn(list.FoundPath(row), check);
            const bool done = result.outcome == BinOutcome::Done;
            if (done) {
                session.scan.SubtractListedBytes(static_cast<double>(result.size));
                ++moved;
            } else {
                failedPlaces.push_back(keptRows.size());
                failures.push_back({prompts.Shown(list.At(row)), result.outcome});
            }
            progress.Reached(moved + failures.size());
            if (done) continue;
        }
        keptRows.push_back(row);
    }
    progress.End();
    list.KeepRows(keptRows);

    // What could not be moved stays highlighted, so the user sees which it is.
    for (std::size_t place : failedPlaces) list.Highlight(place);
    if (failures.empty() && !list.Empty())
        list.Highlight(current && *current < list.Count() ? *current : 0);
    view.ShowListChange();
    view.ShowEntryCount(list.Count());
    view.ShowByteTotal(session.scan.ScanBytes);
    if (list.Empty())
        view.SetEmptyListState();
    else
        view.DescribeCurrentEntry();

    if (stopped) prompts.ShowMessage(MessageKind::Warning, StoppedReport(moved, total));
    if (!failures.empty())
        prompts.ShowMessage(MessageKind::Warning,
                            FailureReport(moved, total, failures, prompts.FailuresNamed()));
    if (moved > 0) prompts.ShowGarbageBin();
}

}  // namespace vellomar
