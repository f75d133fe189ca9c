// The File Statistics window, run offscreen: its texts and layout, and that
// "Show Totals" shows the run's totals in a window made for one showing.

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "app/FileStatistics.h"
#include "app/windows/TFrmstats.h"
#include "run/Session.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

using test::WithNextModal;

// Each group's title and its labels, top to bottom.
struct Group {
    const char* name;
    QString title;
    QList<const char*> labels;
};
const QList<Group> kGroups = {
    {"GroupBox1", "Files Deleted", {"Lblfile", "Lblbyte"}},
    {"GroupBox2", "RAM Memory Check", {"Lbltotm", "Lblavam", "Lblperc"}},
    {"GroupBox3", "Swap File Check", {"Lblswap", "Lblswapa", "Lblpercs"}},
};

StatisticsLines NumberedLines() {
    return {"line 1", "line 2", "line 3", "line 4", "line 5", "line 6", "line 7", "line 8"};
}

}  // namespace

class TFrmstatsTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachLineInItsLabelUnderItsGroupsTitle() {
        TFrmstats window(NumberedLines());
        QCOMPARE(window.windowTitle(), QString("File Statistics"));
        int line = 0;
        for (const Group& group : kGroups) {
            auto* box = Control<QGroupBox>(window, group.name);
            QCOMPARE(box->title(), group.title);
            for (const char* name : group.labels) {
                QLabel* label = Control<QLabel>(*box, name);
                QCOMPARE(label->text(), QString("line %1").arg(++line));
                QVERIFY(label->wordWrap());
            }
        }
        QCOMPARE(Control<QPushButton>(window, "BitBtn1")->text(), QString("Ok"));
    }

    void laysTheGroupsOutOneUnderTheOtherWithOkAtTheBottomRight() {
        TFrmstats window(NumberedLines());
        QCOMPARE(window.size(), QSize(554, 395));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY((window.geometry().center() - window.screen()->availableGeometry().center())
                    .manhattanLength() <= 1);

        int below = 0;
        for (const Group& group : kGroups) {
            auto* box = Control<QGroupBox>(window, group.name);
            QCOMPARE(box->width(), 536);
            QVERIFY(box->x() >= 0 && box->geometry().right() < window.width());
            QVERIFY(box->y() > below);
            below = box->geometry().bottom();
            for (const char* name : group.labels)
                QVERIFY(box->rect().contains(Control<QLabel>(*box, name)->geometry()));
        }
        QPushButton* ok = Control<QPushButton>(window, "BitBtn1");
        QVERIFY(ok->y() > below);
        QVERIFY(window.rect().contains(ok->geometry()));
        QVERIFY(ok->x() > window.width() / 2);
        QVERIFY(window.width() - ok->geometry().right() < 20);
        QVERIFY(window.height() - ok->geometry().bottom() < 20);
    }

    void okClosesTheWindow() {
        TFrmstats window(NumberedLines());
        WithNextModal([](QWidget* modal) { Control<QPushButton>(*modal, "BitBtn1")->click(); });
        QCOMPARE(window.exec(), int(QDialog::Accepted));
    }

    void showTotalsShowsTheRunsTotalsInAWindowMadeForOneShowing() {
        test::TempTree tree;
        std::unique_ptr<Platform> platform = test::MakeTestPlatform(tree);
        Session session(*platform);
        session.cleanup = CleanupTotals{3, 600};
        QWidget owner;

        QPointer<QWidget> shown;
        QStringList texts;
        WithNextModal([&](QWidget* modal) {
            shown = modal;
            QVERIFY(qobject_cast<TFrmstats*>(modal));
            QCOMPARE(modal->parentWidget(), &owner);
            for (const char* name : {"Lblfile", "Lblbyte", "Lbltotm", "Lblswap"})
                texts << Control<QLabel>(*modal, name)->text();
        });
        ShowFileStatistics(&owner, session);

        QVERIFY(shown.isNull());  // destroyed when closed
        // The machine's totals stay put while available figures come and go.
        const StatisticsLines expected = StatisticsOf(session.cleanup, platform->Memory());
        QCOMPARE(texts, (QStringList{"You have successfully cleaned up 3 files on your system.",
                                     "600 bytes of space were reclaimed.",
                                     QString::fromStdString(expected.totalMemory),
                                     QString::fromStdString(expected.totalSwap)}));
    }
};

VELLOMAR_QT_TEST(TFrmstatsTest);

}  // namespace vellomar

#include "TFrmstatsTest.moc"
