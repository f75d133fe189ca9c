#pragma once
// The command line's stand-in for the main window: it keeps what the labels
// would read and answers the search's modal windows without asking anyone.
// While a search runs, a terminal on stderr shows its progress (ProgressLine),
// and the user's first Ctrl-C stops the walk as the Stop button does.

#include <cstdio>
#include <optional>
#include <string>

#include "cli/ProgressLine.h"
#include "scan/ScanPrompts.h"
#include "run/ScanState.h"
#include "scan/ScanView.h"

namespace vellomar::cli {

class CliScanView final : public ScanView, public ScanPrompts {
public:
    CliScanView(std::FILE* messages, ScanState& scan)
        : messages_(messages), scan_(scan), progress_(messages) {}

    void ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) override;
    void ShowEntryCount(std::size_t count) override;
    void ShowByteTotal(double bytes) override;
    void ShowStatus(std::string_view text) override;
    void ShowBusy(bool busy) override;
    void SetEmptyListState() override {}
    void SetFilledListState() override {}
    void FitListWidth() override {}
    void Pump() override;
    std::optional<std::uint64_t> OtherWorkRounds() const override { return 0; }  // nothing else runs

    // The information window is never shown: its switch stays as it is.
    bool ShowCommandInformation(std::string_view, std::string_view) override { return false; }
    void ShowCleanupSummary(const CleanupSummary& lines) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;

    // "Total Files = N" and "Total Bytes = B" as the labels read, then the
    // cleanup summary when the search showed one.
    void PrintReport() const;
    // Whether an error was shown: a failed write, for one.
    bool ErrorShown() const { return errorShown_; }

private:
    std::FILE* messages_;
    ScanState& scan_;
    ProgressLine progress_;
    bool busy_ = false;  // a search runs: its status is the folder it enters
    std::string filesCaption_;
    std::string bytesCaption_;
    std::size_t count_ = 0;
    double bytes_ = 0;
    std::optional<CleanupSummary> summary_;
    bool errorShown_ = false;
};

}  // namespace vellomar::cli
