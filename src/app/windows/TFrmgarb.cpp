#include "app/windows/TFrmgarb.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "results/windows/ResultListModel.h"
#include "results/windows/WidestEntry.h"
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

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TFrmgarb::TFrmgarb(Session& session, ScanPrompts& prompts)
    : session_(session), context_{session, *this, prompts, {}} {
    SetUpControls();
    FillDriveChooser();
}

void TFrmgarb::SetUpControls() {
    setObjectName("TFrmgarb");
    setWindowTitle("Vellomar");
    setFixedSize(675, 517);
    move(screen()->availableGeometry().center() - rect().center());
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, QColor(234, 234, 234));
    setPalette(windowPalette);
    setAutoFillBackground(true);
    QFont windowFont("MS Sans Serif", 8, QFont::Bold);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);
    const QFont arial("Arial", 8, QFont::Normal);
    QFont counterFont("Courier New", 9, QFont::Bold);
    counterFont.setStyleHint(QFont::Monospace);

    // The result area.
    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(2, 2, 670, 289);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, QColor(128, 128, 128));
    panelPalette.setColor(QPalette::WindowText, Qt::white);
    Panel1->setPalette(panelPalette);
    Panel1->setAutoFillBackground(true);

    model_ = new ResultListModel(session_.results, this);
    ListBox1 = new QListView(Panel1);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(7, 6, 656, 189);
    ListBox1->setFont(arial);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setTextElideMode(Qt::ElideNone);  // long paths scroll into view instead
    ListBox1->setModel(model_);

    // Under the list: the file buttons' row, then the counters.
    const auto addCounterLabel = [&](const char* name, QRect geometry) {
        auto* label = new QLabel(Panel1);
        label->setObjectName(name);
        label->setFont(counterFont);
        label->setGeometry(geometry);
        return label;
    };
    lblcount1 = addCounterLabel("lblcount1", QRect(8, 222, 120, 16));
    lblcount2 = addCounterLabel("lblcount2", QRect(128, 222, 140, 16));
    lblbytes1 = addCounterLabel("lblbytes1", QRect(8, 240, 120, 16));
    lblbytes2 = addCounterLabel("lblbytes2", QRect(128, 240, 140, 16));
    lblcount1->hide();
    lblbytes1->hide();

    cmdstop = new QPushButton("Stop", Panel1);
    cmdstop->setObjectName("cmdstop");
    cmdstop->setGeometry(276, 224, 46, 28);
    cmdstop->setFont(arial);
    cmdstop->setToolTip("Stop the file analyze");
    cmdstop->setCursor(Qt::PointingHandCursor);
    cmdstop->hide();
    connect(cmdstop, &QPushButton::clicked, this, &TFrmgarb::cmdstopClick);

    // The two groups of search commands.
    GroupBox5 = new QGroupBox("View or Examine", this);
    GroupBox5->setObjectName("GroupBox5");
    GroupBox5->setGeometry(2, 296, 344, 152);
    GroupBox3 = new QGroupBox("Remove Garbage", this);
    GroupBox3->setObjectName("GroupBox3");
    GroupBox3->setGeometry(382, 296, 290, 152);

    struct SearchButton {
        const char* name;
        std::string_view cliName;
        const char* hint;
        void (TFrmgarb::*click)();
        QGroupBox* group;
        int column;
        int row;
    };
    const SearchButton searchButtons[] = {
        {"Cmdgarb", "garbage", "Find various garbage data",
         &TFrmgarb::CmdgarbClick, GroupBox3, 0, 0},
        {"Cmdzero", "zero", "Find all empty files",
         &TFrmgarb::CmdzeroClick, GroupBox3, 0, 1},
        {"cmdvideo", "videos", "Find all videos stored on your computer",
         &TFrmgarb::cmdvideoClick, GroupBox5, 0, 0},
        {"cmdpic", "pictures", "Find all pictures stored on your computer",
         &TFrmgarb::cmdpicClick, GroupBox5, 0, 1},
        {"cmdsound", "sounds", "Find all sound files stored on your computer",
         &TFrmgarb::cmdsoundClick, GroupBox5, 0, 2},
        {"Cmdscreen", "screensavers", "Find all screensavers stored on your computer",
         &TFrmgarb::CmdscreenClick, GroupBox5, 0, 3},
        {"Cmdwp", "documents", "Find all documents stored on your computer",
         &TFrmgarb::CmdwpClick, GroupBox5, 1, 0},
        {"Cmdzip", "zips", "Find all zip files stored on your computer",
         &TFrmgarb::CmdzipClick, GroupBox5, 1, 1},
        {"Cmdother", "webpages", "Find all website related pages stored on your computer",
         &TFrmgarb::CmdotherClick, GroupBox5, 1, 2},
        {"Cmdini", "inidat", "Find all ini and data files stored on your computer",
         &TFrmgarb::CmdiniClick, GroupBox5, 1, 3},
        {"CmdBookmarks", "bookmarks", "Find all browser bookmarks stored on your computer",
         &TFrmgarb::CmdBookmarksClick, GroupBox5, 2, 0},
        {"CmdLog", "logs", "Find all log files stored on your computer",
         &TFrmgarb::CmdLogClick, GroupBox5, 2, 1},
        {"CmdTax", "tax", "Find all tax documents stored on your computer",
         &TFrmgarb::CmdTaxClick, GroupBox5, 2, 2},
    };
    for (const SearchButton& searchButton : searchButtons) {
        auto* button = new QPushButton(ToQString(FindDriveSearchCommand(searchButton.cliName)->caption),
                                       searchButton.group);
        button->setObjectName(searchButton.name);
        button->setFont(arial);
        button->setToolTip(searchButton.hint);
        button->setCursor(Qt::PointingHandCursor);
        // "View or Examine" holds three columns of 104-wide buttons, "Remove Garbage" one of 116.
        const int width = searchButton.group == GroupBox5 ? 104 : 116;
        button->setGeometry(10 + searchButton.column * (width + 6), 22 + searchButton.row * 24, width, 20);
        connect(button, &QPushButton::clicked, this, searchButton.click);
    }

    // The bottom strip.
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setGeometry(118, 456, 151, 22);
    DriveComboBox1->setFont(arial);

    Lblfiles = new QLabel(this);
    Lblfiles->setObjectName("Lblfiles");
    Lblfiles->setGeometry(8, 486, 474, 16);
    Lblfiles->setFont(QFont("Arial", 8, QFont::Bold));
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

void TFrmgarb::cmdstopClick() { session_.scan.ContinueScan = false; }

void TFrmgarb::FillDriveChooser() {
    for (const Drive& drive : session_.platform.Drives().Drives())
        DriveComboBox1->addItem(QString("%1:").arg(QChar(drive.letter)), QChar(drive.letter));
    const int systemDrive = DriveComboBox1->findData(QChar('c'));  // where the system lives
    if (systemDrive >= 0) DriveComboBox1->setCurrentIndex(systemDrive);
}

void TFrmgarb::RunSearch(std::string_view cliName) {
    if (DriveComboBox1->currentIndex() < 0) return;  // no drive to walk
    const char driveLetter = DriveComboBox1->currentData().toChar().toLatin1();
    searchRunning_ = true;
    RunDriveSearch(context_, *FindDriveSearchCommand(cliName), driveLetter);
    searchRunning_ = false;
    if (closeRequested_) close();
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
    GroupBox5->setEnabled(!busy);
    GroupBox3->setEnabled(!busy);
    WriteProgress();
    model_->Sync();
}

void TFrmgarb::SetEmptyListState() { ListBox1->setEnabled(false); }

void TFrmgarb::SetFilledListState() {
    model_->Sync();
    ListBox1->setEnabled(true);
    ListBox1->selectionModel()->setCurrentIndex(model_->index(0),
                                                QItemSelectionModel::ClearAndSelect);
}

void TFrmgarb::FitListWidth() {
    const int widest = WidestEntryWidth(session_.results.Entries(), ListBox1->font());
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
    lastListFeed_ = now;
}

}  // namespace vellomar
