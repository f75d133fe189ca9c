#pragma once
// The main window's modal windows as the desktop program shows them. The
// windows a search opens are made by MakeWindows(), after the start, so that
// the main window is the one window that exists while the start runs.

#include <memory>
#include <optional>

#include "app/MainWindowPrompts.h"
#include "quicksearch/windows/TFrmDiskCheck.h"
#include "run/Session.h"
#include "scan/windows/QtScanPrompts.h"

namespace vellomar {

class TFrmProgress;

class QtMainWindowPrompts final : public MainWindowPrompts {
public:
    explicit QtMainWindowPrompts(Session& session);
    ~QtMainWindowPrompts() override;
    // Also reads the Quick Search window's settings from qsearch.ini.
    void MakeWindows();

    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override;
    void ShowCleanupSummary(const CleanupSummary& lines) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;
    bool ConfirmDeletion(std::string_view text) override;
    void ShowNotAllRemoved(std::string_view warning,
                           const std::vector<BinFailure>& failures) override;
    bool Confirm(std::string_view question) override;
    void ShowGarbageBin() override;
    std::optional<std::string> AskListFilePath() override;
    void ShowQuickSearchWindow() override;
    NameQuery QueryOfWindow() const override;
    ActProgress& Progress() override;

private:
    Session& session_;
    std::optional<QtScanPrompts> searchWindows_;
    std::unique_ptr<TFrmDiskCheck> quickSearchWindow_;
    std::unique_ptr<TFrmProgress> progress_;  // made when an act first reports
};

}  // namespace vellomar
