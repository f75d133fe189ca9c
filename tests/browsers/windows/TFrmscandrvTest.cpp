// The Scan Drive window, run offscreen over temporary drives: its look, the
// empty scan log it creates, a scan of a drive and closing it during a scan.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "browsers/BrowserScan.h"
#include "browsers/windows/TFrmscandrv.h"
#include "platform/Platform.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

using Messages = std::vector<std::pair<MessageKind, std::string>>;

class RecordingPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
        if (onMessage) onMessage();
    }

    Messages messages;
    std::function<void()> onMessage;  // what the window looks like as a box shows
};

const Messages kScanCompleted = {{MessageKind::Information,
                                  "Scan has completed.  The log you have just done will always "
                                  "be in effect when you run Vellomar, and will only need to be "
                                  "run once."}};

// A session over temporary drives whose data folder u:\.config\Velmo exists.
// Scans move the process's current folder into the tree, so the rig puts it
// back before the tree goes.
struct ScanDriveRig {
    ScanDriveRig() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }
    ~ScanDriveRig() {
        std::error_code error;
        std::filesystem::current_path(previousFolder, error);
        if (error) std::filesystem::current_path(std::filesystem::temp_directory_path(), error);
    }

    std::filesystem::path LogFile() const { return tree / "home/.config/Velmo/vmscan4.ini"; }
    std::string LoggedProfile(const char* key) const {
        return platform->Ini(session.dataFolder.ScanLogPath).ReadString("P45", key, "");
    }

    std::filesystem::path previousFolder = [] {
        std::error_code error;
        return std::filesystem::current_path(error);
    }();
    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingPrompts prompts;
};

void ChooseDrive(TFrmscandrv& window, char letter) {
    QComboBox* chooser = Control<QComboBox>(window, "DriveComboBox1");
    chooser->setCurrentIndex(chooser->findData(QChar(letter)));
}

}  // namespace

class TFrmscandrvTest : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsInTheirPlaces() {
        ScanDriveRig rig;
        TFrmscandrv window(rig.session, rig.prompts);
        QCOMPARE(window.windowTitle(), QString(" Scan Drive"));
        QCOMPARE(window.size(), QSize(442, 252));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY((window.geometry().center() - window.screen()->availableGeometry().center())
                    .manhattanLength() <= 1);
        QCOMPARE(window.palette().color(QPalette::Window), QColor(234, 234, 234));
        QCOMPARE(window.font().family(), QString("Arial"));
        QCOMPARE(window.font().pointSize(), 8);

        const struct {
            const char* name;
            QString text;
            QRect geometry;
        } labels[] = {
            {"Label1",
             "The first time you run Vellomar, this window will open, which will allow you to "
             "scan your entire drive for old, uninstalled browser files which may have been left "
             "behind. This will also verify that all the necessary files are found. ",
             QRect(13, 7, 400, 43)},
            {"Label3",
             "This logging feature doesn't actually delete anything, but simply makes a log of "
             "your setup so Vellomar finds all possible browser files, even old ones which have "
             "been left behind by \"uninstalling\". Vellomar will normally",
             QRect(13, 57, 400, 43)},
            {"Label4",
             "find all current files even without using this feature.  Although most people "
             "only have one disk drive, those of you who use several disk drives, can also scan "
             "each of those drives.",
             QRect(13, 100, 401, 40)},
        };
        for (const auto& expected : labels) {
            QLabel* label = Control<QLabel>(window, expected.name);
            QCOMPARE(label->text(), expected.text);
            QVERIFY(label->wordWrap());
            QCOMPARE(label->geometry(), expected.geometry);
        }
        QLabel* progress = Control<QLabel>(window, "Lblfiles");
        QCOMPARE(progress->text(), QString());
        QVERIFY(!progress->wordWrap());
        QCOMPARE(progress->geometry(), QRect(8, 191, 429, 17));

        QPushButton* scan = Control<QPushButton>(window, "BitBtn1");
        QCOMPARE(scan->text(), QString("Scan Drive Now"));
        QVERIFY(!scan->icon().isNull());
        QCOMPARE(scan->geometry(), QRect(37, 156, 146, 25));
        QComboBox* chooser = Control<QComboBox>(window, "DriveComboBox1");
        QCOMPARE(chooser->pos(), QPoint(193, 157));
        QCOMPARE(chooser->width(), 145);
        QPushButton* ok = Control<QPushButton>(window, "Cmdreturn");
        QCOMPARE(ok->text(), QString("Ok"));
        QCOMPARE(ok->geometry(), QRect(360, 220, 75, 25));
    }

    void driveChooserStartsAtTheDriveOfTheCurrentFolder() {
        ScanDriveRig rig;
        std::filesystem::current_path(rig.tree / "home/.config");
        TFrmscandrv window(rig.session, rig.prompts);
        QComboBox* chooser = Control<QComboBox>(window, "DriveComboBox1");
        QCOMPARE(chooser->count(), 2);
        QCOMPARE(chooser->currentText(), QString::fromStdString("u: [" + (rig.tree / "home").generic_string() + "]"));
    }

    void creationWritesTheEmptyLogUnlessThereIsOne() {
        ScanDriveRig rig;
        { TFrmscandrv window(rig.session, rig.prompts); }
        std::string emptyLog;
        for (const char* section : {"P45", "L44"}) {
            emptyLog += std::string("[") + section + "]\n";
            for (int slot = 1; slot <= 100; ++slot) emptyLog += "P" + std::to_string(slot) + "=\n";
        }
        QCOMPARE(test::ReadWholeFile(rig.LogFile()), emptyLog);

        const std::string earlierScans = "[P45]\nP1=t:\\Mozilla\\x\\\n";
        test::WriteWholeFile(rig.LogFile(), earlierScans);
        { TFrmscandrv window(rig.session, rig.prompts); }
        QCOMPARE(test::ReadWholeFile(rig.LogFile()), earlierScans);
        QVERIFY(rig.prompts.messages.empty());
    }

    void aLogThatCannotBeWrittenIsShownAndTheWindowStillOpens() {
        ScanDriveRig rig;
        rig.tree.AddFolder("home/.config/Velmo/vmscan4.ini");
        TFrmscandrv window(rig.session, rig.prompts);
        QCOMPARE(rig.prompts.messages,
                 Messages({{MessageKind::Error,
                            "Unable to write to u:\\.config\\Velmo\\vmscan4.ini"}}));
        window.show();
        QVERIFY(window.isVisible());
    }

    void scanDriveNowLogsTheChosenDrivesProfilesAndSaysSo() {
        ScanDriveRig rig;
        rig.tree.AddFile("drive/Mozilla/Profiles/x/prefs.js");
        std::filesystem::current_path(rig.tree / "home/.config");  // the chooser starts at u:
        TFrmscandrv window(rig.session, rig.prompts);
        ChooseDrive(window, 't');
        QLabel* progress = Control<QLabel>(window, "Lblfiles");
        QStringList shownAtPumps;  // Lblfiles as the scan lets input in
        QTimer sampler;
        sampler.setInterval(0);
        QObject::connect(&sampler, &QTimer::timeout, [&] { shownAtPumps << progress->text(); });
        sampler.start();

        Control<QPushButton>(window, "BitBtn1")->click();
        sampler.stop();
        QCOMPARE(rig.LoggedProfile("P1"), std::string("t:\\Mozilla\\Profiles\\x\\"));
        QCOMPARE(rig.LoggedProfile("P2"), std::string());
        QCOMPARE(rig.prompts.messages, kScanCompleted);
        QVERIFY(shownAtPumps.contains("t:\\Mozilla\\Profiles"));  // the folder above prefs.js
        QCOMPARE(progress->text(), QString());
    }

    // Ok and the title bar's close box, each pressed while the scan runs.
    void closingDuringAScanWaitsForTheScanAndItsMessage() {
        for (bool byOk : {true, false}) {
            ScanDriveRig rig;
            rig.tree.AddFile("drive/Mozilla/Profiles/x/prefs.js");
            TFrmscandrv window(rig.session, rig.prompts);
            ChooseDrive(window, 't');
            window.show();
            bool closedInsideTheScan = false;
            QTimer::singleShot(0, [&] {
                if (byOk) Control<QPushButton>(window, "Cmdreturn")->click();
                else window.close();
                closedInsideTheScan = rig.prompts.messages.empty();
            });
            bool shownAtTheMessage = false;
            rig.prompts.onMessage = [&] { shownAtTheMessage = window.isVisible(); };

            Control<QPushButton>(window, "BitBtn1")->click();
            QVERIFY(closedInsideTheScan);
            QCOMPARE(rig.prompts.messages, kScanCompleted);
            QCOMPARE(rig.LoggedProfile("P1"), std::string("t:\\Mozilla\\Profiles\\x\\"));
            QVERIFY(shownAtTheMessage);
            QVERIFY(!window.isVisible());
            QCOMPARE(window.result(), byOk ? int(QDialog::Accepted) : int(QDialog::Rejected));
        }
    }

    void okInsideASecondScanWaitsForTheFirstToEndToo() {
        ScanDriveRig rig;
        rig.tree.AddFile("drive/Mozilla/Profiles/x/prefs.js");
        TFrmscandrv window(rig.session, rig.prompts);
        ChooseDrive(window, 't');
        window.show();
        QPushButton* scan = Control<QPushButton>(window, "BitBtn1");
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] { Control<QPushButton>(window, "Cmdreturn")->click(); });
            scan->click();  // the second scan, whose pump presses Ok
        });
        std::vector<bool> shownAtEachMessage;
        rig.prompts.onMessage = [&] { shownAtEachMessage.push_back(window.isVisible()); };

        scan->click();
        QCOMPARE(rig.prompts.messages, Messages({kScanCompleted[0], kScanCompleted[0]}));
        QCOMPARE(shownAtEachMessage, std::vector<bool>({true, true}));
        QVERIFY(!window.isVisible());
        QCOMPARE(rig.LoggedProfile("P1"), std::string("t:\\Mozilla\\Profiles\\x\\"));
        QCOMPARE(rig.LoggedProfile("P2"), std::string());  // the second scan found it logged
    }
};

VELLOMAR_QT_TEST(TFrmscandrvTest);

}  // namespace vellomar

#include "TFrmscandrvTest.moc"
