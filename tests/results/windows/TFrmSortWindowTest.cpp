// The sort's window side: the notice shown while it runs.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include "results/windows/TFrmSortWindow.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

}  // namespace

class TFrmSortWindowTest : public QObject {
    Q_OBJECT

private slots:
    void isASmallBorderlessMaroonWindowInTheCentreOfTheScreen() {
        TFrmSortWindow notice;
        QCOMPARE(notice.size(), QSize(244, 87));
        QCOMPARE(notice.minimumSize(), notice.maximumSize());
        QVERIFY(notice.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY((notice.geometry().center() - notice.screen()->availableGeometry().center())
                    .manhattanLength() <= 1);
        QCOMPARE(notice.palette().color(QPalette::Window), QColor(128, 0, 0));
        QFrame* panel = Control<QFrame>(notice, "Panel1");
        QVERIFY(notice.rect().contains(panel->geometry()));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(240, 240, 240));
    }

    void showsItsTwoLinesWhole() {
        TFrmSortWindow notice;
        QLabel* title = Control<QLabel>(notice, "Label1");
        QCOMPARE(title->text(), QString("Sorting Your Data List!"));
        QCOMPARE(title->font().family(), QString("Verdana"));
        QCOMPARE(title->font().pointSize(), 12);
        QVERIFY(title->font().bold());
        QVERIFY(title->font().italic());
        QLabel* text = Control<QLabel>(notice, "Label2");
        QCOMPARE(text->text(), QString("Please be patient...."));
        QCOMPARE(text->font().family(), QString("Verdana"));
        QCOMPARE(text->font().pointSize(), 10);
        QVERIFY(!text->font().bold());
        // Where Verdana is missing a stand-in font must still fit.
        for (QLabel* line : {title, text}) QVERIFY(line->sizeHint().width() <= line->width());
    }

    void showsWithoutHoldingUpTheMainWindow() {
        QWidget mainWindow;
        mainWindow.show();
        TFrmSortWindow notice(&mainWindow);
        notice.show();
        QVERIFY(notice.isVisible());
        QVERIFY(notice.isWindow());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

VELLOMAR_QT_TEST(TFrmSortWindowTest);

}  // namespace vellomar

#include "TFrmSortWindowTest.moc"
