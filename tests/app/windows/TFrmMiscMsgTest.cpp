// The administrator notice, run offscreen: its texts and layout, and that the
// ticked box is reported whichever way the notice is closed.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <algorithm>

#include "app/windows/QtStartUpPrompts.h"
#include "app/windows/TFrmMiscMsg.h"
#include "run/Session.h"
#include "support/TestPlatform.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

enum class Closing { OkButton, CloseBox };

// Answers the next notice: ticks its box when asked to, then closes it.
void AnswerNextNotice(bool tick, Closing closing) {
    QTimer::singleShot(0, [=] {
        auto* notice = qobject_cast<TFrmMiscMsg*>(QApplication::activeModalWidget());
        if (!notice) return;
        if (tick) Control<QCheckBox>(*notice, "CheckBox1")->setChecked(true);
        if (closing == Closing::OkButton) Control<QPushButton>(*notice, "BitBtn1")->click();
        else notice->close();
    });
}

bool AnyNoticeLeft() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [](QWidget* window) { return qobject_cast<TFrmMiscMsg*>(window); });
}

}  // namespace

class TFrmMiscMsgTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheNoticeTexts() {
        TFrmMiscMsg notice;
        QCOMPARE(notice.windowTitle(), QString("Vellomar"));
        QCOMPARE(Control<QLabel>(notice, "Label2")->text(), QString("Note:"));
        QLabel* text = Control<QLabel>(notice, "Label1");
        QCOMPARE(text->text(),
                 QString("You are currently running Windows Vista, which blocks access to your "
                         "disk. You need to give access to this program first: To give access, "
                         "right click the Vellomar icon on your desktop, and simply choose \"Run "
                         "as Administrator\".  This will give the software access to your "
                         "system so you can do your cleanups.  (This only needs to be done one "
                         "time, otherwise the software will not be able to find and remove all "
                         "the garbage files on your system.)"));
        QVERIFY(text->wordWrap());
        QCheckBox* box = Control<QCheckBox>(notice, "CheckBox1");
        QCOMPARE(box->text(), QString("Don't show me this message again"));
        QVERIFY(!box->isChecked());
        QCOMPARE(Control<QPushButton>(notice, "BitBtn1")->text(), QString("OK"));
    }

    void laysTheNoticeOutInTheCentreOfTheScreen() {
        TFrmMiscMsg notice;
        QCOMPARE(notice.size(), QSize(452, 146));
        QCOMPARE(notice.minimumSize(), notice.maximumSize());
        QVERIFY((notice.geometry().center() - notice.screen()->availableGeometry().center())
                    .manhattanLength() <= 1);
        QCOMPARE(notice.palette().color(QPalette::Window), QColor(239, 239, 239));
        QCOMPARE(notice.font().family(), QString("Tahoma"));
        QCOMPARE(notice.font().pointSize(), 8);

        QLabel* note = Control<QLabel>(notice, "Label2");
        QCOMPARE(note->pos(), QPoint(16, 7));
        QCOMPARE(note->font().family(), QString("Arial"));
        QCOMPARE(note->font().pointSize(), 9);
        QVERIFY(note->font().bold());
        QVERIFY(note->font().underline());

        QCOMPARE(Control<QLabel>(notice, "Label1")->geometry(), QRect(16, 25, 422, 78));
        QCheckBox* box = Control<QCheckBox>(notice, "CheckBox1");
        QCOMPARE(box->pos(), QPoint(16, 119));
        QCOMPARE(box->height(), 17);
        QVERIFY(box->width() >= std::max(208, box->sizeHint().width()));  // the caption whole
        QPushButton* ok = Control<QPushButton>(notice, "BitBtn1");
        QCOMPARE(ok->geometry(), QRect(377, 119, 66, 22));
        QCOMPARE(ok->cursor().shape(), Qt::PointingHandCursor);
    }

    void reportsTheTickedBoxWhicheverWayItCloses() {
        test::TempTree tree;
        const std::unique_ptr<Platform> platform = test::MakeTestPlatform(tree);
        Session session(*platform);
        QtStartUpPrompts prompts(session);
        for (Closing closing : {Closing::OkButton, Closing::CloseBox}) {
            AnswerNextNotice(true, closing);
            QVERIFY(prompts.ShowAdministratorNotice());
            AnswerNextNotice(false, closing);
            QVERIFY(!prompts.ShowAdministratorNotice());
        }
        QVERIFY(!AnyNoticeLeft());  // each notice is made for one showing
    }
};

VELLOMAR_QT_TEST(TFrmMiscMsgTest);

}  // namespace vellomar

#include "TFrmMiscMsgTest.moc"
