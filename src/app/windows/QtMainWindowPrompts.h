#pragma once
// The main window's modal windows as the desktop program shows them. The
// windows a search opens are made by MakeWindows(), after the start, so that
// the main window is the one window that exists while the start runs.

#include <optional>

#include "app/MainWindowPrompts.h"
#include "app/Session.h"
#include "scan/windows/QtScanPrompts.h"

namespace vellomar {

class QtMainWindowPrompts final : public MainWindowPrompts {
public:
    explicit QtMainWindowPrompts(Session& session) : session_(session) {}
    void MakeWindows() { searchWindows_.emplace(); }

    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override;
    void ShowCleanupSummary(const CleanupSummary& lines) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;
    bool ConfirmDeletion(std::string_view text) override;
    bool Confirm(std::string_view question) override;
    void ShowGarbageBin() override;

private:
    Session& session_;
    std::optional<QtScanPrompts> searchWindows_;
};

}  // namespace vellomar
