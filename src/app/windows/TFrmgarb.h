#pragma once
// The main window: the result list with its file and sort commands, the
// counters of the running or last search, the status line and the search
// commands. It is the view every search drives.

#include <QWidget>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "app/MainWindowPrompts.h"
#include "browsers/InternetCommands.h"
#include "quicksearch/QuickSearchCommands.h"
#include "results/Deletion.h"
#include "results/FileDetails.h"
#include "results/Filtering.h"
#include "results/LocaleCollation.h"
#include "results/Sorting.h"
#include "run/Session.h"
#include "scan/ScanPrompts.h"
#include "scan/ScanView.h"
#include "scan/SearchContext.h"

class QComboBox;
class QModelIndex;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QCheckBox;
class QPushButton;

namespace vellomar {

class ListSelectionMirror;
class TFrmdetail;
class TFrmSortWindow;
class ResultListModel;

class TFrmgarb final : public QWidget,
                       public ScanView,
                       public FileDetailsView,
                       public DeletionView,
                       public DeleteToBinView,
                       public SortView,
                       public FilterView,
                       public QuickSearchStatusView {
    Q_OBJECT

public:
    TFrmgarb(Session& session, MainWindowPrompts& prompts);

    // The result list and the file commands under it.
    void ListBox1Click();
    void ListBox1DblClick(const QModelIndex& index);
    void cmddelClick();
    void cmdbinClick();
    void Button3Click();
    void cmddetClick();
    void Button2Click();
    void cmdbrowvClick();
    void cmdscrvClick();
    // The list's context menu.
    void SaveListAsClick();
    void CopyPathClick();
    void NeverListThisFolderClick();

    // The sort group and the filter.
    void cmdesrtClick();
    void CmdnsrtClick();
    void CmdpsrtClick();
    void CmdssrtClick();
    void CmdFilterClick();

    // The search commands of the "Remove Garbage" and "View or Examine" groups.
    void CmdgarbClick();
    void CmdzeroClick();
    void cmdvideoClick();
    void cmdpicClick();
    void cmdsoundClick();
    void CmdscreenClick();
    void CmdwpClick();
    void CmdzipClick();
    void CmdotherClick();
    void CmdiniClick();
    void CmdBookmarksClick();
    void CmdLogClick();
    void CmdTaxClick();
    void CmdcwebClick();
    void CmdcpicClick();
    void CmdfetchClick();
    void CmdDiskClick();
    void cmdstopClick();

    // The bottom strip.
    void cmdtotalClick();
    void CmdmoreClick();
    void cmdhelpClick();
    void cmdexitClick();

    // Disables "Preview SS", "View This File", "Delete", "Delete to Bin" and
    // "Get Details"; "Highlight All" and "Explore Folder" stay as they are.
    void DisableFileButtons();

    // ScanView
    void ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) override;
    void ShowEntryCount(std::size_t count) override;
    void ShowByteTotal(double bytes) override;
    void ShowStatus(std::string_view text) override;
    void ShowBusy(bool busy) override;
    void SetEmptyListState() override;
    void SetFilledListState() override;
    void FitListWidth() override;
    void Pump() override;
    std::optional<std::uint64_t> OtherWorkRounds() const override { return pumpRounds_; }

    // FileDetailsView
    void ShowFileDetailLines(const FileDetailLines& lines) override;

    // DeletionView, SortView and FilterView (the counters, the status line and
    // the empty state are the ScanView's)
    void ShowListChange() override;
    void DescribeCurrentEntry() override;
    void ShowDateAndSizeLines() override;
    bool IgnoreCaseChecked() const override;
    void ShowSortNotice() override;
    void CloseSortNotice() override;
    void SetSortButtonsEnabled(bool enabled) override;
    void ProcessPendingMessages() override;

    // QuickSearchStatusView: LblQuickSearch and LblQuickSearch2
    void ShowQuickSearchStatus(const QuickSearchStatus& status) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Clock = std::chrono::steady_clock;

    void SetUpControls();
    void Sort(SortKind kind);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Delete, and the menu key or Shift+F10, on the list.
    bool ListBox1Event(QEvent* event);
    void ShowListMenuAtCurrentEntry();
    // The five file buttons that an empty list disables.
    void SetFileButtonsEnabled(bool enabled);

    // Runs the drive search with this command word on the chosen drive.
    void RunSearch(std::string_view cliName);
    void RunInternetSearch(InternetCommand command);
    // Runs a search command on the drive chosen in DriveComboBox1, if any.
    void RunOnChosenDrive(const std::function<void(char driveLetter)>& command);
    // What the walk reported since the last time, onto the labels.
    void WriteProgress();
    // Hands the new rows to the list when it has waited long enough for its size.
    void FeedList(Clock::time_point now);

    Session& session_;
    MainWindowPrompts& prompts_;
    SearchContext context_;
    ResultListModel* model_ = nullptr;
    ListSelectionMirror* selection_ = nullptr;
    TFrmdetail* frmdetail_ = nullptr;  // made once; keeps the texts last written
    TFrmSortWindow* frmSortWindow_ = nullptr;
    LocaleCollation collation_;
    QCheckBox* CheckIgnore = nullptr;
    QPushButton* sortButtons_[4] = {};

    // While busy the walk writes these on every find and the labels take them
    // when the window pumps; otherwise the labels take them at once.
    bool busy_ = false;
    std::size_t entryCount_ = 0;
    double byteTotal_ = 0;
    std::string status_;

    Clock::time_point lastPump_;  // never pumped yet: the first pump always runs
    std::uint64_t pumpRounds_ = 0;  // pumps that handled input
    Clock::time_point lastListFeed_;
    bool searchRunning_ = false;
    bool closeRequested_ = false;

    QListView* ListBox1 = nullptr;
    QPushButton* cmddel = nullptr;
    QPushButton* cmdbin = nullptr;
    QPushButton* cmddet = nullptr;
    QPushButton* cmdbrowv = nullptr;
    QPushButton* cmdscrv = nullptr;
    QLabel* lblcount1 = nullptr;
    QLabel* lblcount2 = nullptr;
    QLabel* lblbytes1 = nullptr;
    QLabel* lblbytes2 = nullptr;
    QLabel* Lblsize = nullptr;
    QLabel* Lbldate = nullptr;
    QPushButton* cmdstop = nullptr;
    QLineEdit* EdFilter = nullptr;
    QPushButton* CmdFilter = nullptr;

    QGroupBox* GroupBox5 = nullptr;  // "View or Examine"
    QGroupBox* GroupBox3 = nullptr;  // "Remove Garbage"

    QPushButton* cmdtotal = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QLabel* Lblfiles = nullptr;
    QLabel* LblQuickSearch = nullptr;
    QLabel* LblQuickSearch2 = nullptr;
};

}  // namespace vellomar
