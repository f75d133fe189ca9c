#include "app/windows/TFrmstats.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "run/windows/QtText.h"

namespace vellomar {
namespace {

constexpr int kMargin = 9;
constexpr int kGroupWidth = 536;
constexpr int kGroupTitleHeight = 24;  // the room above a group's first line
constexpr int kLineHeight = 28;
constexpr int kLineIndent = 16;

}  // namespace

TFrmstats::TFrmstats(const StatisticsLines& lines, QWidget* parent) : QDialog(parent) {
    SetUpControls();
    SetLines(lines);
}

void TFrmstats::SetUpControls() {
    setObjectName("TFrmstats");
    setWindowTitle("File Statistics");
    setFixedSize(554, 395);
    move(screen()->availableGeometry().center() - rect().center());

    // A group at top with room for its lines, each a word-wrapped label.
    auto addGroup = [this](const char* name, const char* title, int top, int lineCount) {
        auto* group = new QGroupBox(title, this);
        group->setObjectName(name);
        group->setGeometry(kMargin, top, kGroupWidth,
                           kGroupTitleHeight + lineCount * kLineHeight + kMargin);
        return group;
    };
    auto addLine = [](QGroupBox* group, int line, const char* name) {
        auto* label = new QLabel(group);
        label->setObjectName(name);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setGeometry(kLineIndent, kGroupTitleHeight + line * kLineHeight,
                           kGroupWidth - 2 * kLineIndent, kLineHeight - 2);
        return label;
    };

    GroupBox1 = addGroup("GroupBox1", "Files Deleted", 8, 2);
    Lblfile = addLine(GroupBox1, 0, "Lblfile");
    Lblbyte = addLine(GroupBox1, 1, "Lblbyte");

    GroupBox2 = addGroup("GroupBox2", "RAM Memory Check", GroupBox1->geometry().bottom() + 8, 3);
    Lbltotm = addLine(GroupBox2, 0, "Lbltotm");
    Lblavam = addLine(GroupBox2, 1, "Lblavam");
    Lblperc = addLine(GroupBox2, 2, "Lblperc");

    GroupBox3 = addGroup("GroupBox3", "Swap File Check", GroupBox2->geometry().bottom() + 8, 3);
    Lblswap = addLine(GroupBox3, 0, "Lblswap");
    Lblswapa = addLine(GroupBox3, 1, "Lblswapa");
    Lblpercs = addLine(GroupBox3, 2, "Lblpercs");

    BitBtn1 = new QPushButton("Ok", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(width() - kMargin - 75, height() - kMargin - 27, 75, 27);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmstats::SetLines(const StatisticsLines& lines) {
    Lblfile->setText(ToQString(lines.cleanedFiles));
    Lblbyte->setText(ToQString(lines.reclaimedBytes));
    Lbltotm->setText(ToQString(lines.totalMemory));
    Lblavam->setText(ToQString(lines.availableMemory));
    Lblperc->setText(ToQString(lines.memoryPercentage));
    Lblswap->setText(ToQString(lines.totalSwap));
    Lblswapa->setText(ToQString(lines.availableSwap));
    Lblpercs->setText(ToQString(lines.swapPercentage));
}

void ShowFileStatistics(QWidget* owner, const Session& session) {
    TFrmstats window(StatisticsOf(session.cleanup, session.platform.Memory()), owner);
    window.exec();
}

}  // namespace vellomar
