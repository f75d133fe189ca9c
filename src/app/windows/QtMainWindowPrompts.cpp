#include "app/windows/QtMainWindowPrompts.h"

#include <QDir>
#include <QFileDialog>

#include "results/GarbageBin.h"
#include "results/windows/TFrmbin.h"
#include "run/windows/MessageBox.h"
#include "run/windows/QtText.h"
#include "run/windows/TFrmProgress.h"

namespace vellomar {
namespace {

// The details of a box scroll, yet a box naming a million files would take
// long to open; the rest are counted.
constexpr std::size_t kFailuresInDetails = 1000;

}  // namespace

QtMainWindowPrompts::QtMainWindowPrompts(Session& session) : session_(session) {}

QtMainWindowPrompts::~QtMainWindowPrompts() = default;

ActProgress& QtMainWindowPrompts::Progress() {
    if (!progress_) progress_ = std::make_unique<TFrmProgress>();
    return *progress_;
}

void QtMainWindowPrompts::MakeWindows() {
    searchWindows_.emplace();
    LoadQuickSearchWindow(session_);
    quickSearchWindow_ = std::make_unique<TFrmDiskCheck>(session_, *this);
}

void QtMainWindowPrompts::ShowQuickSearchWindow() {
    if (session_.endRequested) return;  // the program is ending: as if closed at once
    quickSearchWindow_->ShowQuickSearchWindow();
}

NameQuery QtMainWindowPrompts::QueryOfWindow() const { return quickSearchWindow_->QueryOfWindow(); }

bool QtMainWindowPrompts::ShowCommandInformation(std::string_view text1, std::string_view text2) {
    return searchWindows_->ShowCommandInformation(text1, text2);
}

void QtMainWindowPrompts::ShowCleanupSummary(const CleanupSummary& lines) {
    searchWindows_->ShowCleanupSummary(lines);
}

void QtMainWindowPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(nullptr, kind, ToQString(text));
}

bool QtMainWindowPrompts::Confirm(std::string_view question) {
    if (session_.endRequested) return false;  // the program is ending: as if cancelled
    return ConfirmDeletion(question);
}

void QtMainWindowPrompts::ShowGarbageBin() {
    GarbageBin bin(session_.platform, session_.dataFolder.DataFolderPath);
    TFrmbin window(bin, session_.cleanup.CleanedFileCount, session_.cleanup.ReclaimedBytes, nullptr);
    window.ShowBin();
}

std::optional<std::string> QtMainWindowPrompts::AskListFilePath() {
    if (session_.endRequested) return std::nullopt;  // the program is ending: as if cancelled
    // Not the process's current folder, which a walk leaves anywhere.
    const QString chosen = QFileDialog::getSaveFileName(
        nullptr, "Save List As", QDir::home().filePath("vellomar-list.csv"),
        "CSV files (*.csv);;All files (*)");
    if (chosen.isEmpty()) return std::nullopt;
    return session_.platform.Drives()
        .ToDriveForm(ChosenPath(QDir::toNativeSeparators(chosen)))
        .value_or("");
}

void QtMainWindowPrompts::ShowNotAllRemoved(std::string_view warning,
                                            const std::vector<BinFailure>& failures) {
    // One line a file, without the line break before the first.
    const QString details = ToQString(BinFailureLines(failures, kFailuresInDetails)).mid(1);
    ShowWarningWithDetails(nullptr, ToQString(warning), details);
}

bool QtMainWindowPrompts::ConfirmDeletion(std::string_view text) {
    return AskYesNo(nullptr, ToQString(text));
}

}  // namespace vellomar
