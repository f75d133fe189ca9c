#include "browsers/windows/TFrmscandrv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <utility>

#include "browsers/ScanLog.h"
#include "run/windows/DriveChooser.h"
#include "run/windows/FixedColours.h"
#include "run/windows/QtText.h"

namespace vellomar {
namespace {

// Handling input after every entry would take most of the scan's time; once
// every 25 ms keeps the window as prompt to a person.
constexpr auto kPumpInterval = std::chrono::milliseconds(25);

}  // namespace

TFrmscandrv::TFrmscandrv(Session& session, MessagePrompts& prompts, QWidget* parent)
    : QDialog(parent),
      session_(session),
      prompts_(prompts),
      pumpPace_(std::chrono::milliseconds(0), kPumpInterval) {
    SetUpControls();
    try {
        CreateEmptyScanLog(session_);
    } catch (const IniWriteError& error) {
        prompts_.ShowMessage(MessageKind::Error, error.what());
    }
}

void TFrmscandrv::SetUpControls() {
    setObjectName("TFrmscandrv");
    setWindowTitle(" Scan Drive");
    setFixedSize(442, 252);
    move(screen()->availableGeometry().center() - rect().center());
    FixColours(*this, QPalette::Window, QColor(234, 234, 234), Qt::black);
    QFont arial("Arial", 8);
    arial.setStyleHint(QFont::SansSerif);
    setFont(arial);

    const auto addLabel = [this](const char* name, const QString& text, QRect geometry) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(geometry);
        return label;
    };
    Label1 = addLabel(
        "Label1",
        "The first time you run Vellomar, this window will open, which will allow you to scan "
        "your entire drive for old, uninstalled browser files which may have been left behind. "
        "This will also verify that all the necessary files are found. ",
        QRect(13, 7, 400, 43));
    // One sentence over two labels.
    Label3 = addLabel(
        "Label3",
        "This logging feature doesn't actually delete anything, but simply makes a log of your "
        "setup so Vellomar finds all possible browser files, even old ones which have been left "
        "behind by \"uninstalling\". Vellomar will normally",
        QRect(13, 57, 400, 43));
    Label4 = addLabel(
        "Label4",
        "find all current files even without using this feature.  Although most people only "
        "have one disk drive, those of you who use several disk drives, can also scan each of "
        "those drives.",
        QRect(13, 100, 401, 40));
    for (QLabel* label : {Label1, Label3, Label4}) label->setWordWrap(true);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DriveHDIcon), "Scan Drive Now",
                              this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(37, 156, 146, 25);
    BitBtn1->setAutoDefault(false);  // Enter never starts a whole-drive scan
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmscandrv::BitBtn1Click);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName("DriveComboBox1");
    DriveComboBox1->setGeometry(193, 157, 145, DriveComboBox1->sizeHint().height());
    FillDriveChooser(*DriveComboBox1, session_.platform.Drives(), session_.platform.Files());

    Lblfiles = addLabel("Lblfiles", "", QRect(8, 191, 429, 17));  // a folder path: one line

    Cmdreturn = new QPushButton("Ok", this);
    Cmdreturn->setObjectName("Cmdreturn");
    Cmdreturn->setGeometry(360, 220, 75, 25);
    Cmdreturn->setDefault(true);
    connect(Cmdreturn, &QPushButton::clicked, this, &TFrmscandrv::CmdreturnClick);
    KeepCaptionsOnFixedGrounds(*this);
}

void TFrmscandrv::BitBtn1Click() {
    if (DriveComboBox1->currentIndex() < 0) return;  // no drive to scan
    ++scansRunning_;
    pumpPace_.Start(TimedPace::Clock::now());  // the first entry lets the window draw the start
    ScanDriveNow(session_, *this, prompts_, DriveComboBox1->currentData().toChar().toLatin1());
    --scansRunning_;
    if (scansRunning_ == 0 && deferredResult_) QDialog::done(*std::exchange(deferredResult_, {}));
}

void TFrmscandrv::CmdreturnClick() { accept(); }

void TFrmscandrv::done(int result) {
    if (scansRunning_ > 0) {
        deferredResult_ = result;
        return;
    }
    QDialog::done(result);
}

void TFrmscandrv::ShowScanFolder(std::string_view folderPath) {
    Lblfiles->setText(ToQString(folderPath));
}

void TFrmscandrv::Pump() {
    if (pumpPace_.Due(TimedPace::Clock::now())) QCoreApplication::processEvents();
}

}  // namespace vellomar
