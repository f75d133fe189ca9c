// A search's modal windows as the program shows them.

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <optional>

#include "scan/windows/QtScanPrompts.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {

using test::WithNextModal;

class QtScanPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void informationWindowTellsWhetherItsBoxWasTicked() {
        QtScanPrompts prompts;
        QString caption, text1;
        std::optional<bool> boxTickedAtStart;
        WithNextModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            text1 = modal->findChild<QLabel*>("Label1")->text();
            QCheckBox* box = modal->findChild<QCheckBox*>("Chk1");
            boxTickedAtStart = box->isChecked();
            box->setChecked(true);
            modal->findChild<QPushButton*>("BitBtn1")->click();
        });
        QVERIFY(prompts.ShowCommandInformation("What videos are.", "Advice."));
        QCOMPARE(caption, QString("Information "));
        QCOMPARE(text1, QString("What videos are."));
        QCOMPARE(boxTickedAtStart, std::optional<bool>(false));

        // Shown again, the box starts unticked.
        WithNextModal([&](QWidget* modal) {
            boxTickedAtStart = modal->findChild<QCheckBox*>("Chk1")->isChecked();
            modal->findChild<QPushButton*>("BitBtn1")->click();
        });
        QVERIFY(!prompts.ShowCommandInformation("What videos are.", "Advice."));
        QCOMPARE(boxTickedAtStart, std::optional<bool>(false));
    }

    void summaryWindowShowsTheFourLinesInOrder() {
        QtScanPrompts prompts;
        QString caption;
        QStringList shown;
        WithNextModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            for (const char* name : {"Lblout1", "Lblout2", "Lblout3", "Lblout4"})
                shown << modal->findChild<QLabel*>(name)->text();
            modal->findChild<QPushButton*>("BitBtn1")->click();
        });
        prompts.ShowCleanupSummary({"garbage", "zero", "internet", "pictures"});
        QCOMPARE(caption, QString("Automatic Cleanup Option"));
        QCOMPARE(shown, QStringList({"garbage", "zero", "internet", "pictures"}));
    }

    void errorIsAnErrorBoxWithTheProgramsTitle() {
        QtScanPrompts prompts;
        QString caption, text;
        std::optional<QMessageBox::Icon> icon;
        WithNextModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) return;
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
        });
        prompts.ShowMessage(MessageKind::Error, "Unable to write to c:\\x\\Binsettings.ini");
        QCOMPARE(caption, QString("Error"));
        QCOMPARE(text, QString("Unable to write to c:\\x\\Binsettings.ini"));
        QCOMPARE(icon, std::optional<QMessageBox::Icon>(QMessageBox::Critical));
    }
};

VELLOMAR_QT_TEST(QtScanPromptsTest);

}  // namespace vellomar

#include "QtScanPromptsTest.moc"
