// The File Details window, run offscreen: its layout, that it keeps the texts
// last written and shows them unchanged, and the dates it is given.

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QtTest>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "results/windows/TFrmdetail.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::WithNextModal;

constexpr const char* kLineNames[] = {"lblname", "lblsize", "lbltime", "lblattr", "lblloc"};

QLabel* Line(QWidget& window, const char* name) {
    auto* label = window.findChild<QLabel*>(name);
    if (!label) qFatal("no label %s", name);
    return label;
}

// The texts as a reader sees them: the breaks a line may wrap at are not seen.
QString Seen(QLabel* label) { return label->text().remove(QChar(0x200B)); }

QStringList ShownLines(QWidget& window) {
    QStringList shown;
    for (const char* name : kLineNames) shown << Seen(Line(window, name));
    return shown;
}

FileDetailLines LinesFor(const std::string& name) {
    FileDetailLines lines;
    lines.name = "File Name: " + name;
    lines.size = "File Size: 5368709123";
    lines.changedOn = "File Last Changed On : 3/4/21";
    lines.attribute = "File Attribute: Archive";
    lines.location = "File Location: t:\\Some Folder\\";
    lines.fileDate = "File Date   = 3/4/21";
    lines.byteSize = "Byte Size   = 5368709123";
    return lines;
}

// Sets the time zone for as long as it lives.
class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (saved_) setenv("TZ", saved_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved_;
};

}  // namespace

class TFrmdetailTest : public QObject {
    Q_OBJECT

private slots:
    void laysItsLinesOutTopToBottomInALoweredPanel() {
        TFrmdetail window;
        window.SetLines(LinesFor("Report.txt"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString("File Details"));

        auto* panel = window.findChild<QFrame*>("Panel1");
        QVERIFY(panel);
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        int above = -1;
        for (const char* name : kLineNames) {
            QLabel* line = Line(window, name);
            QCOMPARE(line->parentWidget(), panel);
            QVERIFY2(line->y() > above, name);
            above = line->y();
        }
        QVERIFY(Line(window, "lblloc")->wordWrap());
        QCOMPARE(window.findChild<QPushButton*>("BitBtn1")->text(), QString("Ok"));
    }

    void aLongFolderWrapsAtItsSeparatorsAndShowsWhole() {
        TFrmdetail window;
        FileDetailLines lines = LinesFor("x.tmp");
        QString folder = "t:";
        for (int depth = 0; depth < 12; ++depth) folder += "\\" + QString(20, QChar('a' + depth));
        lines.location = "File Location: " + (folder + "\\").toStdString();
        window.SetLines(lines);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QLabel* location = Line(window, "lblloc");
        QCOMPARE(Seen(location), QString::fromStdString(lines.location));
        QCOMPARE(location->accessibleName(), QString::fromStdString(lines.location));
        // Every line of the wrapped text fits the label, and the label holds them all.
        const QRect needed = QFontMetrics(location->font())
                                 .boundingRect(QRect(0, 0, location->width(), 10000),
                                               Qt::TextWordWrap, location->text());
        QVERIFY2(needed.width() <= location->width(),
                 qPrintable(QString("%1 > %2").arg(needed.width()).arg(location->width())));
        QVERIFY(needed.height() > 3 * QFontMetrics(location->font()).height());
        QVERIFY(location->height() >= needed.height());
        QVERIFY(window.rect().contains(location->geometry()));
    }

    void showsFileNamesAsTheyAreNeverAsMarkup() {
        TFrmdetail window;
        window.SetLines(LinesFor("<b>bold</b>.htm"));
        QCOMPARE(Line(window, "lblname")->text(), QString("File Name: <b>bold</b>.htm"));
        for (const char* name : kLineNames)
            QCOMPARE(Line(window, name)->textFormat(), Qt::PlainText);
    }

    void showsTheTextsLastWrittenModallyWithoutChangingThem() {
        TFrmdetail window;
        window.SetLines(LinesFor("first.txt"));
        window.SetLines(LinesFor("second.txt"));
        const QStringList written = ShownLines(window);
        QCOMPARE(written, QStringList({"File Name: second.txt", "File Size: 5368709123",
                                       "File Last Changed On : 3/4/21", "File Attribute: Archive",
                                       "File Location: t:\\Some Folder\\"}));

        for (int showing = 0; showing < 2; ++showing) {
            bool modal = false;
            QStringList shown;
            WithNextModal([&](QWidget* active) {
                modal = active == &window;
                shown = ShownLines(window);
                window.findChild<QPushButton*>("BitBtn1")->click();
            });
            window.ShowDetails();
            QVERIFY(modal);
            QCOMPARE(shown, written);
            QVERIFY(!window.isVisible());
        }
    }

    void datesAreTheLocalDateInTheUsersShortFormat() {
        struct RestoreLocale {
            QLocale saved;
            ~RestoreLocale() { QLocale::setDefault(saved); }
        } restoreLocale;
        TimeZone tokyo("UTC-9");  // nine hours ahead of UTC
        // 15:30 UTC on the 3rd is half past midnight on the 4th there.
        const FileTime moment{1614785400};

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(UserShortDate(moment), std::string("3/4/21"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(UserShortDate(moment), std::string("04.03.21"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));  // four-digit years
        QCOMPARE(UserShortDate(FileTime{10'413'835'200}), std::string("01/01/2300"));
    }
};

VELLOMAR_QT_TEST(TFrmdetailTest);

}  // namespace vellomar

#include "TFrmdetailTest.moc"
