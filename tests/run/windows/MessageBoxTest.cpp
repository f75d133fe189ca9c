// The program's message boxes and questions as a person meets them: Enter on
// a question never agrees, and a plain message shows no icon while the other
// kinds keep theirs.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "run/windows/MessageBox.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

// Presses a key in the next modal window once it shows.
void PressInNextModal(Qt::Key key) {
    QTimer::singleShot(0, [key] { QTest::keyClick(QApplication::activeModalWidget(), key); });
}

// The icon of the next message box, which is then closed.
QMessageBox::Icon IconOfNextBox(MessageKind kind) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        icon = box->icon();
        box->accept();
    });
    ShowMessageBox(nullptr, kind, "text");
    return icon;
}

}  // namespace

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void enterOnAQuestionAnswersNo() {
        PressInNextModal(Qt::Key_Return);
        QVERIFY(!AskYesNo(nullptr, "Delete 5007 highlighted file(s) in your listbox?"));
        PressInNextModal(Qt::Key_Y);  // the underlined letter still says "Yes"
        QVERIFY(AskYesNo(nullptr, "Delete 1 highlighted file(s) in your listbox?"));
    }

    void aWarningKeepsItsTextAndHoldsTheDetailsBehindItsButton() {
        QString text, details;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text = box->text();
            details = box->detailedText();
            box->accept();
        });
        ShowWarningWithDetails(nullptr, "1 out of 2 files have been removed.",
                               "t:\\b.tmp (the file is read-only)");
        QCOMPARE(text, QString("1 out of 2 files have been removed."));
        QCOMPARE(details, QString("t:\\b.tmp (the file is read-only)"));
    }

    void onlyPlainMessagesShowNoIcon() {
        QCOMPARE(IconOfNextBox(MessageKind::Plain), QMessageBox::NoIcon);
        QCOMPARE(IconOfNextBox(MessageKind::Information), QMessageBox::Information);
        QCOMPARE(IconOfNextBox(MessageKind::Warning), QMessageBox::Warning);
        QCOMPARE(IconOfNextBox(MessageKind::Error), QMessageBox::Critical);
    }
};

VELLOMAR_QT_TEST(MessageBoxTest);

}  // namespace vellomar

#include "MessageBoxTest.moc"
