#include "app/windows/TFrmgarb.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <iterator>

#include "app/ExternalPages.h"
#include "app/windows/TFrmstats.h"
#include "browsers/InternetCommands.h"
#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NeverListFolder.h"
#include "results/FileViewers.h"
#include "results/ListExport.h"
#include "results/windows/ListSelectionMirror.h"
#include "results/windows/ResultListModel.h"
#include "results/windows/TFrmSortWindow.h"
#include "results/windows/TFrmdetail.h"
#include "results/windows/WidestEntry.h"
#include "run/EmptyListCheck.h"
#include "run/windows/DrawnPictures.h"
#include "run/windows/DriveChooser.h"
#include "run/windows/FixedColours.h"
#include "run/windows/PaintShownWindow.h"
#include "run/windows/QtText.h"
#include "scan/ByteTotal.h"
#include "scan/SearchCommands.h"

namespace vellomar {
namespace {

// Handling input costs the walk time: once every 25 ms keeps Stop and repainting
// prompt to a person while the walk runs near file-system speed.
constexpr auto kPumpInterval = std::chrono::milliseconds(25);
// A shown list lays out all its rows again whenever rows are added (some 20 ns
// a row), so a long list is fed less often: its layout stays near a tenth of
// the walk's time.
constexpr auto kListFeedWaitPerRow = std::chrono::nanoseconds(200);

// The colour of an enabled control; a disabled one keeps the style's, so that
// it still looks disabled.
void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    widget->setPalette(palette);
}

enum class Pointer { Hand, Arrow };

struct ButtonLook {
    const char* name;
    const char* caption;
    const char* hint;  // shown as a tool tip; empty for none
    void (TFrmgarb::*click)();
};

}  // namespace

TFrmgarb::TFrmgarb(Session& session, MainWindowPrompts& prompts)
    : session_(session),
      prompts_(prompts),
      context_{session, *this, prompts, QuickSearchWalkAdmission(session.quickSearch), [this] {
                   DeletionContext deletion{session_, *this, prompts_};
                   HighlightAllAndDelete(deletion);
               }} {
    SetUpControls();
    vellomar::FillDriveChooser(*DriveComboBox1, session_.platform.Drives(),
                               session_.platform.Files());
    // Off until the start applies the stored settings; never blank should the start end early.
    vellomar::ShowQuickSearchStatus(session_, *this);
}

void TFrmgarb::SetUpControls() {
    setObjectName("TFrmgarb");
    setWindowTitle("Vellomar");
    setFixedSize(675, 517);
    move(screen()->availableGeometry().center() - rect().center());
    FixColours(*this, QPalette::Window, QColor(234, 234, 234), Qt::black);
    QFont windowFont("MS Sans Serif", 8, QFont::Bold);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);
    QFont arial("Arial", 8, QFont::Normal);
    arial.setStyleHint(QFont::SansSerif);
    QFont courier("Courier New", 9, QFont::Bold);
    courier.setStyleHint(QFont::Monospace);
    const QColor navy(0, 0, 128);

    const auto addButton = [&](QWidget* parent, const ButtonLook& look, QRect geometry,
                               Pointer pointer = Pointer::Hand) {
        auto* button = new QPushButton(look.caption, parent);
        button->setObjectName(look.name);
        button->setGeometry(geometry);
        button->setFont(arial);
        button->setToolTip(look.hint);
        if (pointer == Pointer::Hand) button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(true);  // Enter presses the focused button, as Space does
        connect(button, &QPushButton::clicked, this, look.click);
        return button;
    };

    // The result area: the list, its file buttons, the counters and the
    // current entry's lines, Stop, the sort group and the filter.
    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(2, 2, 670, 289);
    FixColours(*Panel1, QPalette::Window, QColor(128, 128, 128), Qt::white);

    model_ = new ResultListModel(session_.results, this);
    ListBox1 = new QListView(Panel1);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(7, 6, 656, 189);
    ListBox1->setFont(arial);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setTextElideMode(Qt::ElideNone);  // long paths scroll into view instead
    ListBox1->setModel(model_);
    ListBox1->setAccessibleName("Result list");
    ListBox1->installEventFilter(this);  // its keys: Delete and the menu's
    selection_ = new ListSelectionMirror(session_.results, *model_, *ListBox1);
    connect(selection_, &ListSelectionMirror::UserChangedSelection, this, &TFrmgarb::ListBox1Click);
    connect(ListBox1, &QListView::doubleClicked, this, &TFrmgarb::ListBox1DblClick);

    // The bin's own way in, with entries listed or none: Ctrl+B, and the
    // context menu of the list, or of its panel while the list is empty (a
    // disabled list passes the click on to it).
    auto* openBin = new QAction("Open Garbage Bin\u2026", this);
    openBin->setObjectName("OpenGarbageBin");
    openBin->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(openBin, &QAction::triggered, this, [this] { prompts_.ShowGarbageBin(); });
    addAction(openBin);
    auto* help = new QAction("Help", this);
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &TFrmgarb::cmdhelpClick);
    addAction(help);
    for (QWidget* menuOwner : {static_cast<QWidget*>(ListBox1), static_cast<QWidget*>(Panel1)}) {
        menuOwner->setContextMenuPolicy(Qt::ActionsContextMenu);
        menuOwner->addAction(openBin);
    }
    // The commands on the entries, in the list's menu only: an empty list is
    // disabled, and its panel's menu offers the bin alone. A right click makes
    // the clicked entry current.
    const auto addListAction = [this](const char* name, const char* text, void (TFrmgarb::*click)()) {
        auto* action = new QAction(text, ListBox1);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, click);
        ListBox1->addAction(action);
    };
    addListAction("SaveListAs", "Save List As\u2026", &TFrmgarb::SaveListAsClick);
    addListAction("CopyPath", "Copy Path", &TFrmgarb::CopyPathClick);
    addListAction("NeverListThisFolder", "Never List This Folder",
                  &TFrmgarb::NeverListThisFolderClick);
    frmdetail_ = new TFrmdetail(this);
    frmSortWindow_ = new TFrmSortWindow(this);

    const ButtonLook fileButtons[] = {
        {"cmddel", "Delete", "Delete highlighted file", &TFrmgarb::cmddelClick},
        {"cmdbin", "Delete to Bin", "Delete highlighted file and put in trash bin",
         &TFrmgarb::cmdbinClick},
        {"Button3", "Highlight All", "", &TFrmgarb::Button3Click},
        {"cmddet", "Get Details", "Show all file details", &TFrmgarb::cmddetClick},
        {"Button2", "Explore Folder", "Jump to the folder containing this file",
         &TFrmgarb::Button2Click},
        {"cmdbrowv", "View This File", "View or open the highlighted file",
         &TFrmgarb::cmdbrowvClick},
        {"cmdscrv", "Preview SS", "Preview the highlighted screensaver", &TFrmgarb::cmdscrvClick},
    };
    QPushButton* fileButtonRow[std::size(fileButtons)];
    for (std::size_t i = 0; i < std::size(fileButtons); ++i)  // spread evenly under the list
        fileButtonRow[i] = addButton(Panel1, fileButtons[i], QRect(7 + 95 * int(i), 198, 81, 18));
    cmddel = fileButtonRow[0];
    cmdbin = fileButtonRow[1];
    cmddet = fileButtonRow[3];
    SetCaptionColour(*fileButtonRow[4], Qt::red);  // "Explore Folder"
    cmdbrowv = fileButtonRow[5];
    cmdscrv = fileButtonRow[6];

    const auto addPanelLabel = [&](const char* name, QRect geometry) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(name);
        label->setFont(courier);
        label->setGeometry(geometry);
        return label;
    };
    lblcount1 = addPanelLabel("lblcount1", QRect(8, 222, 106, 16));
    lblcount2 = addPanelLabel("lblcount2", QRect(114, 222, 154, 16));
    lblbytes1 = addPanelLabel("lblbytes1", QRect(8, 238, 106, 16));
    lblbytes2 = addPanelLabel("lblbytes2", QRect(114, 238, 154, 16));
    Lblsize = addPanelLabel("Lblsize", QRect(8, 254, 260, 16));
    Lbldate = addPanelLabel("Lbldate", QRect(8, 270, 260, 16));
    lblcount1->hide();
    lblbytes1->hide();

    cmdstop = addButton(Panel1, {"cmdstop", "", "Stop the file analyze", &TFrmgarb::cmdstopClick},
                        QRect(276, 224, 46, 28));
    cmdstop->setIcon(StopPicture());
    cmdstop->setAccessibleName("Stop");  // a picture only; its hint describes it
    cmdstop->setIconSize(QSize(22, 22));
    cmdstop->hide();

    auto* sortGroup = new QGroupBox("Sort Your Result List:", Panel1);
    sortGroup->setGeometry(332, 219, 260, 66);
    const ButtonLook sortButtons[] = {
        {"cmdesrt", "Ext", "Sort the list by file extension", &TFrmgarb::cmdesrtClick},
        {"Cmdnsrt", "Name", "Sort the list by file name", &TFrmgarb::CmdnsrtClick},
        {"Cmdpsrt", "Path", "Sort the list by path", &TFrmgarb::CmdpsrtClick},
        {"Cmdssrt", "Size", "Sort this list by file size", &TFrmgarb::CmdssrtClick},
    };
    const QIcon sortPicture = SortPicture();  // the picture of "Ext", shared by all four
    QFont sortFont = courier;
    sortFont.setPointSize(8);
    for (int i = 0; i < 4; ++i) {
        QPushButton* button =
            addButton(sortGroup, sortButtons[i], QRect(8 + 62 * i, 20, 58, 21), Pointer::Arrow);
        sortButtons_[i] = button;
        button->setFont(sortFont);
        SetCaptionColour(*button, navy);
        button->setIcon(sortPicture);
    }
    CheckIgnore = new QCheckBox("Ignore Case", sortGroup);
    CheckIgnore->setObjectName("CheckIgnore");
    CheckIgnore->setGeometry(8, 44, 140, 18);
    CheckIgnore->setToolTip("Check this before sorting to ignore uppercase vs. lowercase");
    CheckIgnore->setChecked(true);

    EdFilter = new QLineEdit(QString::fromUtf8(kFilterPlaceholder.data(),
                                               static_cast<qsizetype>(kFilterPlaceholder.size())),
                             Panel1);
    EdFilter->setObjectName("EdFilter");
    EdFilter->setAccessibleName("Filter List");  // its text is the user's once clicked
    connect(EdFilter, &QLineEdit::returnPressed, this, &TFrmgarb::CmdFilterClick);
    EdFilter->installEventFilter(this);  // EdFilterMouseDown
    EdFilter->setGeometry(602, 226, 56, 22);
    EdFilter->setFont(arial);
    EdFilter->hide();
    CmdFilter = addButton(
        Panel1,
        {"CmdFilter", "Ok", "Enter filter data and click \"Ok\" to keep only your filter in the list",
         &TFrmgarb::CmdFilterClick},
        QRect(615, 254, 30, 22), Pointer::Arrow);
    SetCaptionColour(*CmdFilter, navy);
    CmdFilter->hide();

    // The two groups of search commands.
    GroupBox5 = new QGroupBox("View or Examine", this);
    GroupBox5->setObjectName("GroupBox5");
    GroupBox5->setGeometry(2, 296, 344, 152);
    GroupBox3 = new QGroupBox("Remove Garbage", this);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->setGeometry(382, 296, 290, 152);

    struct SearchButton {
        ButtonLook look;
        QGroupBox* group;
        int column;
        int row;
    };
    const SearchButton searchButtons[] = {
        {{"Cmdgarb", "Garbage Files", "Find various garbage data", &TFrmgarb::CmdgarbClick},
         GroupBox3, 0, 0},
        {{"Cmdzero", "0 Byte Files", "Find all empty files", &TFrmgarb::CmdzeroClick},
         GroupBox3, 0, 1},
        {{"Cmdcweb", "All Internet Files", "Find all cached webpages", &TFrmgarb::CmdcwebClick},
         GroupBox3, 0, 2},
        {{"Cmdcpic", "Internet Pics Only", "Find all cached webpage pictures",
          &TFrmgarb::CmdcpicClick},
         GroupBox3, 0, 3},
        {{"cmdvideo", "Videos", "Find all videos stored on your computer",
          &TFrmgarb::cmdvideoClick},
         GroupBox5, 0, 0},
        {{"cmdpic", "Pictures", "Find all pictures stored on your computer",
          &TFrmgarb::cmdpicClick},
         GroupBox5, 0, 1},
        {{"cmdsound", "Sound Files", "Find all sound files stored on your computer",
          &TFrmgarb::cmdsoundClick},
         GroupBox5, 0, 2},
        {{"Cmdscreen", "Screensavers", "Find all screensavers stored on your computer",
          &TFrmgarb::CmdscreenClick},
         GroupBox5, 0, 3},
        {{"Cmdwp", "Documents", "Find all documents stored on your computer",
          &TFrmgarb::CmdwpClick},
         GroupBox5, 1, 0},
        {{"Cmdzip", "Zip Files", "Find all zip files stored on your computer",
          &TFrmgarb::CmdzipClick},
         GroupBox5, 1, 1},
        {{"Cmdother", "Webpage Files", "Find all website related pages stored on your computer",
          &TFrmgarb::CmdotherClick},
         GroupBox5, 1, 2},
        {{"Cmdini", "Ini/Dat Files", "Find all ini and data files stored on your computer",
          &TFrmgarb::CmdiniClick},
         GroupBox5, 1, 3},
        {{"CmdBookmarks", "Bookmarks", "Find all browser bookmarks stored on your computer",
          &TFrmgarb::CmdBookmarksClick},
         GroupBox5, 2, 0},
        {{"CmdLog", "Log Files", "Find all log files stored on your computer",
          &TFrmgarb::CmdLogClick},
         GroupBox5, 2, 1},
        {{"CmdTax", "Tax Files", "Find all tax documents stored on your computer",
          &TFrmgarb::CmdTaxClick},
         GroupBox5, 2, 2},
        {{"CmdDisk", "Quick Search", "Customized search or add search filters for speed",
          &TFrmgarb::CmdDiskClick},
         GroupBox5, 2, 3},
    };
    for (const SearchButton& button : searchButtons) {
        // "View or Examine" holds three columns of 104-wide buttons, "Remove Garbage" one of 116.
        const int width = button.group == GroupBox5 ? 104 : 116;
        addButton(button.group, button.look,
                  QRect(10 + button.column * (width + 6), 20 + button.row * 23, width, 20));
    }
    QPushButton* Cmdfetch =
        addButton(GroupBox3,
                  {"Cmdfetch", "Fetch ALL", "Fetch all garbage that can be removed",
                   &TFrmgarb::CmdfetchClick},
                  QRect(141, 52, 135, 25));  // beside the middle two
    QFont fetchFont = arial;
    fetchFont.setPointSize(9);
    fetchFont.setBold(true);
    Cmdfetch->setFont(fetchFont);
    SetCaptionColour(*Cmdfetch, navy);

    LblQuickSearch = new QLabel(GroupBox5);
    LblQuickSearch->setObjectName("LblQuickSearch");
    LblQuickSearch->setGeometry(10, 114, 324, 16);
    LblQuickSearch2 = new QLabel(GroupBox5);
    LblQuickSearch2->setObjectName("LblQuickSearch2");
    LblQuickSearch2->setGeometry(10, 131, 324, 16);

    // The bottom strip.
    cmdtotal = addButton(this, {"cmdtotal", "Show Totals", "View system totals",
                                &TFrmgarb::cmdtotalClick},
                         QRect(8, 456, 104, 20));
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setAccessibleName("Drive to search");
    DriveComboBox1->setGeometry(118, 455, 151, 22);
    DriveComboBox1->setFont(arial);

    Lblfiles = new QLabel(this);
    Lblfiles->setObjectName("Lblfiles");
    Lblfiles->setGeometry(8, 486, 474, 16);
    Lblfiles->setFont(QFont("Arial", 8, QFont::Bold));

    const ButtonLook leavingButtons[] = {
        {"Cmdmore", "Downloads", "", &TFrmgarb::CmdmoreClick},
        {"cmdhelp", "Help", "", &TFrmgarb::cmdhelpClick},
        {"cmdexit", "Exit", "", &TFrmgarb::cmdexitClick},
    };
    for (int i = 0; i < 3; ++i)
        addButton(this, leavingButtons[i], QRect(427 + 83 * i, 456, 79, 19));

    // The companion list; never shown.
    auto* ListHidden = new QListView(this);
    ListHidden->setObjectName("ListHidden");
    ListHidden->setAccessibleName("Companion list");
    ListHidden->hide();

    KeepCaptionsOnFixedGrounds(*this);
}

void TFrmgarb::ListBox1Click() { DescribeCurrentEntry(); }

void TFrmgarb::DescribeCurrentEntry() {
    ShowFileDetails(session_, *this, prompts_, UserShortDate);
}

void TFrmgarb::ShowListChange() { selection_->ShowProgramSelection(); }

void TFrmgarb::ShowDateAndSizeLines() {
    Lbldate->show();
    Lblsize->show();
}

void TFrmgarb::ShowFileDetailLines(const FileDetailLines& lines) {
    Lbldate->setText(QString::fromStdString(lines.fileDate));
    Lblsize->setText(QString::fromStdString(lines.byteSize));
    frmdetail_->SetLines(lines);
}

void TFrmgarb::cmddelClick() {
    if (!ListReadyForFileCommand(session_.results, context_.prompts)) return;
    DeletionContext deletion{session_, *this, prompts_};
    DeleteHighlighted(deletion);
}

void TFrmgarb::cmdbinClick() {
    DeleteToBin(session_, *this, prompts_);  // it answers an empty list itself
}

void TFrmgarb::Button3Click() {
    if (!ListReadyForFileCommand(session_.results, context_.prompts)) return;
    session_.results.HighlightAll();  // one range; the details stay as they were
    selection_->ShowProgramSelection();
}

void TFrmgarb::cmddetClick() {
    if (!ListReadyForFileCommand(session_.results, context_.prompts)) return;
    frmdetail_->ShowDetails();  // as last described, not refreshed
}

void TFrmgarb::Button2Click() {
    if (!ListReadyForFileCommand(session_.results, context_.prompts)) return;
    ExploreCurrentFolder(session_, context_.prompts);
}

void TFrmgarb::cmdbrowvClick() { ViewCurrentFile(session_, prompts_); }

void TFrmgarb::ListBox1DblClick(const QModelIndex& index) {
    // The double-clicked entry is the one opened, whatever else is highlighted.
    if (index.isValid()) session_.results.SetCurrent(static_cast<std::size_t>(index.row()));
    cmdbrowvClick();
}

void TFrmgarb::cmdscrvClick() { PreviewCurrentScreensaver(session_, prompts_); }

void TFrmgarb::SaveListAsClick() { SaveListAs(session_, prompts_); }

void TFrmgarb::CopyPathClick() {
    // The path as other programs take it: native, by the names it was found as.
    const std::optional<std::size_t> current = session_.results.Current();
    if (!current) return;
    if (const std::optional<std::string> native = session_.platform.Files().NativePath(
            session_.results.FoundPath(*current), NameMatch::Exact))
        QGuiApplication::clipboard()->setText(ToQString(*native));
}

void TFrmgarb::NeverListThisFolderClick() {
    if (const std::optional<std::size_t> current = session_.results.Current())
        NeverListFolderOf(session_, session_.results.FoundPath(*current), prompts_, *this);
}

void TFrmgarb::cmdesrtClick() { Sort(SortKind::Extension); }

void TFrmgarb::CmdnsrtClick() { Sort(SortKind::Name); }

void TFrmgarb::CmdpsrtClick() { Sort(SortKind::Path); }

void TFrmgarb::CmdssrtClick() { Sort(SortKind::Size); }

void TFrmgarb::CmdFilterClick() {
    vellomar::CmdFilterClick(session_, *this, prompts_, EdFilter->text().toStdString());
}

bool TFrmgarb::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1) return ListBox1Event(event);
    // EdFilterMouseDown: a click into the box clears its placeholder.
    if (watched == EdFilter && event->type() == QEvent::MouseButtonPress &&
        EdFilter->text().toStdString() == kFilterPlaceholder)
        EdFilter->clear();
    return QWidget::eventFilter(watched, event);
}

bool TFrmgarb::ListBox1Event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            cmddelClick();  // as the button: the question first
            return true;
        }
        if (key->key() == Qt::Key_Menu ||
            (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            ShowListMenuAtCurrentEntry();
            return true;
        }
    }
    // The menu key may also come as a keyboard menu request, at the mouse
    // pointer; the key has opened the menu at the entry already.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
        return true;
    return false;
}

void TFrmgarb::ShowListMenuAtCurrentEntry() {
    const QRect entry = ListBox1->visualRect(ListBox1->currentIndex());
    const QPoint at = entry.isValid() ? entry.center() : QPoint(0, 0);
    QMenu::exec(ListBox1->actions(), ListBox1->viewport()->mapToGlobal(at), nullptr, ListBox1);
}

void TFrmgarb::Sort(SortKind kind) {
    SortContext sort{session_, *this, prompts_, collation_};
    SortButtonClick(sort, kind);
}

bool TFrmgarb::IgnoreCaseChecked() const { return CheckIgnore->isChecked(); }

void TFrmgarb::ShowSortNotice() {
    frmSortWindow_->show();
    PaintShownWindow(*frmSortWindow_);  // the sort keeps the thread until it ends
}

void TFrmgarb::CloseSortNotice() { frmSortWindow_->hide(); }

void TFrmgarb::SetSortButtonsEnabled(bool enabled) {
    for (QPushButton* button : sortButtons_) button->setEnabled(enabled);
}

void TFrmgarb::ProcessPendingMessages() {
    WriteProgress();  // a walk under way only stores its labels' texts
    QCoreApplication::processEvents();
}

void TFrmgarb::CmdgarbClick() { RunSearch("garbage"); }
void TFrmgarb::CmdzeroClick() { RunSearch("zero"); }
void TFrmgarb::cmdvideoClick() { RunSearch("videos"); }
void TFrmgarb::cmdpicClick() { RunSearch("pictures"); }
void TFrmgarb::cmdsoundClick() { RunSearch("sounds"); }
void TFrmgarb::CmdscreenClick() { RunSearch("screensavers"); }
void TFrmgarb::CmdwpClick() { RunSearch("documents"); }
void TFrmgarb::CmdzipClick() { RunSearch("zips"); }
void TFrmgarb::CmdotherClick() { RunSearch("webpages"); }
void TFrmgarb::CmdiniClick() { RunSearch("inidat"); }
void TFrmgarb::CmdBookmarksClick() { RunSearch("bookmarks"); }
void TFrmgarb::CmdLogClick() { RunSearch("logs"); }
void TFrmgarb::CmdTaxClick() { RunSearch("tax"); }

void TFrmgarb::CmdcwebClick() { RunInternetSearch(InternetCommand::AllInternetFiles); }

void TFrmgarb::CmdcpicClick() { RunInternetSearch(InternetCommand::InternetPicsOnly); }

void TFrmgarb::CmdfetchClick() { RunInternetSearch(InternetCommand::FetchAll); }

void TFrmgarb::RunInternetSearch(InternetCommand command) {
    RunOnChosenDrive([this, command](char driveLetter) {
        RunInternetCommand(context_, command, driveLetter);
    });
}

void TFrmgarb::CmdDiskClick() {
    RunOnChosenDrive([this](char driveLetter) {
        vellomar::CmdDiskClick(context_, prompts_, *this, driveLetter);
    });
}

void TFrmgarb::cmdstopClick() { session_.scan.ContinueScan = false; }

void TFrmgarb::cmdtotalClick() { ShowFileStatistics(this, session_); }

void TFrmgarb::CmdmoreClick() { OpenDownloadsPage(session_.platform, context_.prompts); }

void TFrmgarb::cmdhelpClick() { OpenHelpPage(session_.platform, context_.prompts); }

void TFrmgarb::cmdexitClick() { close(); }

void TFrmgarb::RunSearch(std::string_view cliName) {
    RunOnChosenDrive([this, cliName](char driveLetter) {
        RunDriveSearch(context_, *FindDriveSearchCommand(cliName), driveLetter);
    });
}

void TFrmgarb::RunOnChosenDrive(const std::function<void(char driveLetter)>& command) {
    if (DriveComboBox1->currentIndex() < 0) return;  // no drive to walk
    searchRunning_ = true;
    command(DriveComboBox1->currentData().toChar().toLatin1());
    searchRunning_ = false;
    if (closeRequested_) close();
}

void TFrmgarb::ShowQuickSearchStatus(const QuickSearchStatus& status) {
    const QColor colour = status.on ? QColor(0, 128, 0) : QColor(128, 0, 0);
    for (QLabel* label : {LblQuickSearch, LblQuickSearch2})
        SetColor(label, QPalette::WindowText, colour);
    LblQuickSearch->setText(ToQString(status.line1));
    LblQuickSearch2->setText(ToQString(status.line2));
}

void TFrmgarb::closeEvent(QCloseEvent* event) {
    // Closing under a running walk would pull the window from under it: stop
    // the walk instead and close once the search has returned.
    if (searchRunning_) {
        closeRequested_ = true;
        session_.endRequested = true;
        session_.scan.ContinueScan = false;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void TFrmgarb::ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) {
    lblcount1->setText(ToQString(filesCaption));
    lblbytes1->setText(ToQString(bytesCaption));
    lblcount1->show();
    lblbytes1->show();
}

void TFrmgarb::ShowEntryCount(std::size_t count) {
    entryCount_ = count;
    if (!busy_) WriteProgress();
}

void TFrmgarb::ShowByteTotal(double bytes) {
    byteTotal_ = bytes;
    if (!busy_) WriteProgress();
}

void TFrmgarb::ShowStatus(std::string_view text) {
    status_ = text;
    if (!busy_) WriteProgress();
}

void TFrmgarb::ShowBusy(bool busy) {
    busy_ = busy;
    cmdstop->setVisible(busy);
    cmdtotal->setEnabled(!busy);
    GroupBox5->setEnabled(!busy);
    GroupBox3->setEnabled(!busy);
    if (busy) {
        EdFilter->hide();
        CmdFilter->hide();
    }
    WriteProgress();
    model_->Sync();
}

void TFrmgarb::DisableFileButtons() { SetFileButtonsEnabled(false); }

void TFrmgarb::SetFileButtonsEnabled(bool enabled) {
    for (QPushButton* button : {cmdscrv, cmdbrowv, cmddel, cmdbin, cmddet})
        button->setEnabled(enabled);
}

void TFrmgarb::SetEmptyListState() {
    ListBox1->setEnabled(false);
    DisableFileButtons();
    Lbldate->hide();
    Lblsize->hide();
}

void TFrmgarb::SetFilledListState() {
    model_->Sync();
    ListBox1->setEnabled(true);
    SetFileButtonsEnabled(true);
    session_.results.ClearHighlights();
    session_.results.Highlight(0);
    selection_->ShowProgramSelection();
    DescribeCurrentEntry();
    Lbldate->show();
    Lblsize->show();
    EdFilter->show();
    CmdFilter->show();
}

void TFrmgarb::FitListWidth() {
    const int widest = WidestEntryWidth(session_.results, ListBox1->font());
    // Rows draw their text inside the focus frame's margins; the frame width
    // leaves the longest path clear of the list's edge once scrolled to the end.
    const int textMargins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const int width = widest + textMargins + style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    // An empty list has no row height, and then no row size to give.
    model_->SetRowSize(QSize(width, ListBox1->sizeHintForRow(0)));
}

void TFrmgarb::Pump() {
    const Clock::time_point now = Clock::now();
    if (now - lastPump_ < kPumpInterval) return;
    WriteProgress();
    FeedList(now);
    ++pumpRounds_;
    QCoreApplication::processEvents();
    // Counted from the end, so slow input handling cannot crowd out the walk.
    lastPump_ = Clock::now();
}

void TFrmgarb::WriteProgress() {
    lblcount2->setText(QString::number(entryCount_));
    lblbytes2->setText(QString::fromStdString(FormatByteTotal(byteTotal_)));
    Lblfiles->setText(QString::fromStdString(status_));
}

void TFrmgarb::FeedList(Clock::time_point now) {
    const Clock::duration wait =
        std::max<Clock::duration>(kPumpInterval, kListFeedWaitPerRow * model_->rowCount());
    if (now - lastListFeed_ < wait) return;
    model_->Sync();
    // The view forgets its row layout on every insertion and lays the rows out
    // again only from a timer, after the paint this hand-over brings; a walk
    // would then hand over again first and the rows never be drawn. Laid out
    // now, the paint shows them.
    ListBox1->doItemsLayout();
    lastListFeed_ = now;
}

}  // namespace vellomar
