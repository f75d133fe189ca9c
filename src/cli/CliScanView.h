#pragma once
// The command line's stand-in for the main window: it keeps what the labels
// would read and answers the search's modal windows without asking anyone.

#include <cstdio>
#include <optional>
#include <string>

#include "scan/ScanPrompts.h"
#include "scan/ScanView.h"

namespace vellomar::cli {

class CliScanView final : public ScanView, public ScanPrompts {
public:
    explicit CliScanView(std::FILE* messages) : messages_(messages) {}

    void ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) override;
    void ShowEntryCount(std::size_t count) override { count_ = count; }
    void ShowByteTotal(double bytes) override { bytes_ = bytes; }
    void ShowStatus(std::string_view) override {}
    void ShowBusy(bool) override {}
    void SetEmptyListState() override {}
    void SetFilledListState() override {}
    void FitListWidth() override {}
    void Pump() override {}
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
    std::string filesCaption_;
    std::string bytesCaption_;
    std::size_t count_ = 0;
    double bytes_ = 0;
    std::optional<CleanupSummary> summary_;
    bool errorShown_ = false;
};

}  // namespace vellomar::cli
