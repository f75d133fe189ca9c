// The sort's window side: the notice shown while it runs, and the order of the
// user's locale that the window sorts in.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QtTest>
#include <string>
#include <vector>

#include "results/windows/LocaleCollation.h"
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

class LocaleCollationTest : public QObject {
    Q_OBJECT

    static std::vector<std::size_t> Order(const QLocale& locale, std::vector<std::string> texts) {
        return LocaleCollation(locale).AscendingOrder(texts.size(),
                                                      [&](std::size_t i) { return texts[i]; });
    }

private slots:
    void ordersWithoutRegardToCaseKeepingTheOrderOfEqualTexts() {
        for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()})
            QCOMPARE(Order(locale, {"b.txt", "A.txt", "a.txt", "B.txt"}),
                     std::vector<std::size_t>({1, 2, 0, 3}));
    }

    // The command line orders ASCII texts without the toolkit: as the window does.
    void ordersAsciiTextsAsTheUnicodeDefaultOrderDoes() {
        std::vector<std::string> texts;
        unsigned state = 1;
        for (int i = 0; i < 3000; ++i) {
            std::string text;
            for (int length = 1 + i % 7; length > 0; --length) {
                state = state * 1103515245u + 12345u;
                text.push_back(char(1 + (state >> 16) % 127));  // every ASCII character but NUL
            }
            texts.push_back(text);
        }
        const auto textAt = [&](std::size_t i) { return texts[i]; };
        const std::vector<std::size_t> expected =
            UnicodeDefaultCollation().AscendingOrder(texts.size(), textAt);
        for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Japanese, QLocale::Japan)})
            QCOMPARE(LocaleCollation(locale).AscendingOrder(texts.size(), textAt), expected);
    }

    void ordersAsTheLocaleDoesNotByCodePoint() {
        // "é" (two bytes in UTF-8) comes between "e" and "f", not after "z".
        const QLocale french(QLocale::French, QLocale::France);
        QCOMPARE(Order(french, {"z", "f", "\xc3\xa9", "e"}), std::vector<std::size_t>({3, 2, 1, 0}));
    }
};

VELLOMAR_QT_TEST(LocaleCollationTest);

}  // namespace vellomar

#include "TFrmSortWindowTest.moc"
