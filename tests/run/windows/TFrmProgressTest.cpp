// The modal count of a long act on many files.

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <chrono>

#include "run/windows/TFrmProgress.h"
#include "support/windows/FindControl.h"
#include "support/windows/PaintWatch.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

using std::chrono::hours;
using std::chrono::milliseconds;

class TFrmProgressTest : public QObject {
    Q_OBJECT

private slots:
    void opensModalOnceDueAndIsPaintedWithEachCountItShows() {
        QWidget mainWindow;
        mainWindow.show();
        TFrmProgress progress(nullptr, TimedPace(milliseconds(0), milliseconds(0)));
        bool reporting = false;
        test::PaintWatch watch(progress, [&] { return reporting; });

        progress.Begin("Deleting files", 494976);
        QVERIFY(!progress.isVisible());
        reporting = true;
        progress.Reached(1);
        reporting = false;
        QVERIFY(progress.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), &progress);
        QVERIFY(mainWindow.isEnabled());  // blocked by the modal window, not disabled
        QCOMPARE(test::Control<QLabel>(progress, "Lblact")->text(), QString("Deleting files\u2026"));
        QCOMPARE(test::Control<QLabel>(progress, "Lblcount")->text(),
                 QString("1 of %1").arg(QLocale().toString(494976)));
        QVERIFY(watch.paintsWhile >= 1);

        const int paintsBefore = watch.paintsWhile;
        reporting = true;
        progress.Reached(494976);
        reporting = false;
        QVERIFY(watch.paintsWhile > paintsBefore);
        QCOMPARE(test::Control<QLabel>(progress, "Lblcount")->text(),
                 QString("%1 of %1").arg(QLocale().toString(494976)));

        // Neither Escape nor the close button cuts the act short.
        QTest::keyClick(&progress, Qt::Key_Escape);
        progress.close();
        QVERIFY(progress.isVisible());

        progress.End();
        QVERIFY(!progress.isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void aShortActOpensNothing() {
        TFrmProgress progress(nullptr, TimedPace(hours(1), milliseconds(0)));
        progress.Begin("Deleting files", 3);
        for (std::size_t done = 1; done <= 3; ++done) progress.Reached(done);
        progress.End();
        QVERIFY(!progress.isVisible());
    }
};

VELLOMAR_QT_TEST(TFrmProgressTest);

}  // namespace vellomar

#include "TFrmProgressTest.moc"
