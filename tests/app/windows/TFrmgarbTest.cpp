// The desktop windows of a search, run offscreen: the main window over a drive
// made of temporary folders, its list model, and the search's modal windows.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <optional>
#include <vector>

#include "app/Session.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "results/ResultList.h"
#include "results/windows/ResultListModel.h"
#include "results/windows/WidestEntry.h"
#include "scan/SearchCommands.h"
#include "scan/windows/QtScanPrompts.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

using test::TempTree;

const QString kComplete = "Disk analyze complete. Details shown.";

// Answers a search's modal windows without showing any.
class ScriptedScanPrompts final : public ScanPrompts {
public:
    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override {
        infoTexts.emplace_back(std::string(text1), std::string(text2));
        if (onInformation) onInformation();
        return tickDontShowAgain;
    }
    void ShowCleanupSummary(const CleanupSummary& lines) override { summaries.push_back(lines); }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }

    bool tickDontShowAgain = false;
    std::function<void()> onInformation;
    std::vector<std::pair<std::string, std::string>> infoTexts;
    std::vector<CleanupSummary> summaries;
    std::vector<std::pair<MessageKind, std::string>> messages;
};

DriveTable DrivesOver(const TempTree& tree) {
    DriveTable table;
    table.Assign('c', (tree / "home").string());
    table.Assign('t', (tree / "drive").string());
    return table;
}

// The main window over drive t: (tree/drive) with the user's folders on c:.
struct MainWindowRig {
    MainWindowRig()
        : platform(DrivesOver(tree), UserFolders{(tree / "home/config").string(),
                                                 (tree / "home/program").string()}),
          session(platform),
          window(session, prompts) {
        tree.AddFolder("drive");
        tree.AddFolder("home/config");
    }

    template <typename T>
    T* Control(const char* name) {
        T* control = window.findChild<T*>(name);
        if (!control) qFatal("no control %s", name);
        return control;
    }
    QString Text(const char* label) { return Control<QLabel>(label)->text(); }
    QListView* List() { return Control<QListView>("ListBox1"); }

    QStringList Rows() {
        QStringList rows;
        QAbstractItemModel* model = List()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, 0).data().toString();
        return rows;
    }
    QStringList CoreEntries() const {
        QStringList entries;
        for (const std::string& entry : session.results.Entries())
            entries << QString::fromStdString(entry);
        return entries;
    }

    void Search(const char* button, const char* drive = "t:") {
        QComboBox* chooser = Control<QComboBox>("DriveComboBox1");
        chooser->setCurrentIndex(chooser->findText(drive));
        Control<QPushButton>(button)->click();
    }

    void TurnInfoSwitchesOn() {
        std::string text = "[Info]\n";
        for (const DriveSearchCommand& command : DriveSearchCommands())
            text += std::string(command.infoKey) + "=1\n";
        test::WriteWholeFile(tree / "home/config/Velmo/Binsettings.ini", text);
    }

    TempTree tree;
    Platform platform;
    Session session;
    ScriptedScanPrompts prompts;
    TFrmgarb window;
};

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

// Runs check inside the modal window that the next call opens, then closes it.
void WithNextModal(std::function<void(QWidget*)> check) {
    QTimer::singleShot(0, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        check(modal);
        if (modal->isVisible()) modal->close();  // never leave a test waiting on a window
    });
}

}  // namespace

class TFrmgarbTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheSystemDriveWithTheCountersHidden() {
        MainWindowRig rig;
        QComboBox* chooser = rig.Control<QComboBox>("DriveComboBox1");
        QCOMPARE(chooser->count(), 2);
        QCOMPARE(chooser->itemText(0), QString("c:"));
        QCOMPARE(chooser->itemText(1), QString("t:"));
        QCOMPARE(chooser->currentText(), QString("c:"));
        QCOMPARE(rig.window.windowTitle(), QString("Vellomar"));
        QVERIFY(rig.Control<QLabel>("lblcount1")->isHidden());
        QVERIFY(rig.Control<QLabel>("lblbytes1")->isHidden());
        QVERIFY(rig.Control<QPushButton>("cmdstop")->isHidden());
        QCOMPARE(rig.Text("lblcount2"), QString());
        QCOMPARE(rig.Text("Lblfiles"), QString());
    }

    void everySearchButtonRunsItsOwnCommand() {
        struct Button {
            const char* name;
            const char* caption;
            const char* group;
            const char* hint;
        };
        const Button buttons[] = {
            {"Cmdgarb", "Garbage Files", "GroupBox3", "Find various garbage data"},
            {"Cmdzero", "0 Byte Files", "GroupBox3", "Find all empty files"},
            {"cmdvideo", "Videos", "GroupBox5", "Find all videos stored on your computer"},
            {"cmdpic", "Pictures", "GroupBox5", "Find all pictures stored on your computer"},
            {"cmdsound", "Sound Files", "GroupBox5",
             "Find all sound files stored on your computer"},
            {"Cmdscreen", "Screensavers", "GroupBox5",
             "Find all screensavers stored on your computer"},
            {"Cmdwp", "Documents", "GroupBox5", "Find all documents stored on your computer"},
            {"Cmdzip", "Zip Files", "GroupBox5", "Find all zip files stored on your computer"},
            {"Cmdother", "Webpage Files", "GroupBox5",
             "Find all website related pages stored on your computer"},
            {"Cmdini", "Ini/Dat Files", "GroupBox5",
             "Find all ini and data files stored on your computer"},
            {"CmdBookmarks", "Bookmarks", "GroupBox5",
             "Find all browser bookmarks stored on your computer"},
            {"CmdLog", "Log Files", "GroupBox5", "Find all log files stored on your computer"},
            {"CmdTax", "Tax Files", "GroupBox5", "Find all tax documents stored on your computer"},
        };
        MainWindowRig rig;
        rig.TurnInfoSwitchesOn();
        for (const Button& expected : buttons) {
            QPushButton* button = rig.Control<QPushButton>(expected.name);
            QCOMPARE(button->text(), QString(expected.caption));
            QCOMPARE(button->toolTip(), QString(expected.hint));
            QCOMPARE(button->parent()->objectName(), QString(expected.group));

            rig.prompts.infoTexts.clear();
            rig.Search(expected.name);
            const auto& command = *std::find_if(
                DriveSearchCommands().begin(), DriveSearchCommands().end(),
                [&](const DriveSearchCommand& c) { return c.caption == expected.caption; });
            QCOMPARE(rig.prompts.infoTexts.size(), std::size_t(1));
            QCOMPARE(rig.prompts.infoTexts[0].first, std::string(command.infoText));
        }
    }

    void garbageSearchFillsTheListAndTheCounters() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/keep.txt:5", "drive/sub/b.bak:20",
                         "drive/sub/deep/c.old:30"});
        rig.Search("Cmdgarb");

        QCOMPARE(rig.Rows(), rig.CoreEntries());
        QCOMPARE(Sorted(rig.Rows()),
                 QStringList({"t:\\a.tmp", "t:\\sub\\b.bak", "t:\\sub\\deep\\c.old"}));
        QCOMPARE(rig.Text("lblcount1"), QString("Total Files = "));
        QCOMPARE(rig.Text("lblcount2"), QString("3"));
        QCOMPARE(rig.Text("lblbytes1"), QString("Total Bytes = "));
        QCOMPARE(rig.Text("lblbytes2"), QString("60"));
        QCOMPARE(rig.Text("Lblfiles"), kComplete);
        QVERIFY(rig.Control<QLabel>("lblcount1")->isVisibleTo(&rig.window));
        QVERIFY(rig.Control<QPushButton>("cmdstop")->isHidden());
        QVERIFY(rig.Control<QGroupBox>("GroupBox3")->isEnabled());
        QVERIFY(rig.Control<QGroupBox>("GroupBox5")->isEnabled());

        QVERIFY(rig.List()->isEnabled());
        QCOMPARE(rig.List()->currentIndex().row(), 0);
        QCOMPARE(rig.List()->selectionModel()->selectedIndexes().size(), 1);
        QVERIFY(rig.List()->selectionModel()->isRowSelected(0));

        QCOMPARE(rig.prompts.summaries.size(), std::size_t(1));
        QCOMPARE(rig.prompts.summaries[0][0],
                 std::string("Garbage Files      -> 3 files FOUND, consuming 60 bytes."));
        QCOMPARE(rig.prompts.summaries[0][1],
                 std::string("0 Byte Files       -> No files found (or you did not search)."));
    }

    void searchThatFindsNothingDisablesTheListUntilOneDoes() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/notes.txt:5"});
        rig.Search("cmdvideo");
        QCOMPARE(rig.Rows(), QStringList());
        QVERIFY(!rig.List()->isEnabled());
        QCOMPARE(rig.Text("lblcount2"), QString("0"));
        QCOMPARE(rig.Text("lblbytes2"), QString("0"));
        QCOMPARE(rig.Text("Lblfiles"), kComplete);
        QVERIFY(rig.prompts.summaries.empty());

        rig.Search("Cmdgarb");
        QCOMPARE(rig.Rows(), QStringList({"t:\\a.tmp"}));
        QVERIFY(rig.List()->isEnabled());
    }

    void nextSearchReplacesTheListInsteadOfAddingToIt() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/b.tmp:10", "drive/empty.txt:0"});
        rig.Search("Cmdgarb");
        QCOMPARE(rig.Rows().size(), 2);
        rig.Search("Cmdzero");
        QCOMPARE(rig.Rows(), QStringList({"t:\\empty.txt"}));
        QCOMPARE(rig.Text("lblcount2"), QString("1"));
        QCOMPARE(rig.prompts.summaries.back()[1],
                 std::string("0 Byte Files       -> 1 files FOUND."));
    }

    void searchWalksTheChosenDrive() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/on-t.tmp:1", "home/on-c.tmp:1"});
        rig.Search("Cmdgarb", "c:");
        QCOMPARE(rig.Rows(), QStringList({"c:\\on-c.tmp"}));
    }

    void walkShowsStopAndStopEndsIt() {
        MainWindowRig rig;
        for (int i = 0; i < 40; ++i) rig.tree.AddFile("drive/f" + std::to_string(i) + ".tmp", 1);
        std::optional<bool> stopShown, garbageGroupEnabled, examineGroupEnabled;
        QTimer::singleShot(0, [&] {  // runs at the walk's first chance to handle input
            stopShown = rig.Control<QPushButton>("cmdstop")->isVisibleTo(&rig.window);
            garbageGroupEnabled = rig.Control<QGroupBox>("GroupBox3")->isEnabled();
            examineGroupEnabled = rig.Control<QGroupBox>("GroupBox5")->isEnabled();
            rig.Control<QPushButton>("cmdstop")->click();
        });
        rig.Search("Cmdgarb");

        QCOMPARE(stopShown, std::optional<bool>(true));
        QCOMPARE(garbageGroupEnabled, std::optional<bool>(false));
        QCOMPARE(examineGroupEnabled, std::optional<bool>(false));
        QVERIFY(rig.Rows().size() < 40);
        QCOMPARE(rig.Rows(), rig.CoreEntries());
        QCOMPARE(rig.Text("lblcount2"), QString::number(rig.Rows().size()));
        QVERIFY(rig.Control<QPushButton>("cmdstop")->isHidden());
        QCOMPARE(rig.Text("Lblfiles"), kComplete);
    }

    void closingDuringAWalkStopsItAndClosesAfterwards() {
        MainWindowRig rig;
        for (int i = 0; i < 40; ++i) rig.tree.AddFile("drive/f" + std::to_string(i) + ".tmp", 1);
        rig.window.show();
        std::optional<bool> openAfterClose;
        QTimer::singleShot(0, [&] {
            rig.window.close();
            openAfterClose = rig.window.isVisible();
        });
        rig.Search("Cmdgarb");

        QCOMPARE(openAfterClose, std::optional<bool>(true));
        QVERIFY(rig.Rows().size() < 40);
        QVERIFY(!rig.window.isVisible());
    }

    void informationShowsOverThePreviousResults() {
        MainWindowRig rig;
        rig.TurnInfoSwitchesOn();
        rig.tree.AddAll({"drive/a.tmp:10", "drive/b.tmp:10"});
        std::vector<int> rowsBehindInformation;
        rig.prompts.onInformation = [&] { rowsBehindInformation.push_back(rig.Rows().size()); };
        rig.Search("Cmdgarb");
        rig.Search("Cmdgarb");

        QCOMPARE(rowsBehindInformation, std::vector<int>({0, 2}));
        QCOMPARE(rig.prompts.infoTexts[0].second, std::string());
    }

    void fittedListScrollsToTheEndOfItsLongestEntry() {
        MainWindowRig rig;
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        const QString longest = "t:\\" + QString(150, 'x') + "\\long.tmp";
        rig.session.results.Append(longest.toStdString());
        // Left to itself, the list takes every row's width from its last row.
        rig.session.results.Append("t:\\a.tmp");
        rig.window.SetFilledListState();
        rig.window.FitListWidth();
        QCoreApplication::processEvents();  // the list lays itself out

        QScrollBar* scroll = rig.List()->horizontalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        const QRect shown = rig.List()->visualRect(rig.List()->model()->index(0, 0));
        QVERIFY(shown.width() >= rig.List()->fontMetrics().horizontalAdvance(longest));
        QVERIFY(shown.right() <= rig.List()->viewport()->width());
        QVERIFY(rig.List()->selectionModel()->isRowSelected(0));  // fitting keeps the selection

        rig.Search("cmdvideo");  // finds nothing
        QCoreApplication::processEvents();
        QCOMPARE(rig.List()->horizontalScrollBar()->maximum(), 0);
    }
};

class ResultListModelTest : public QObject {
    Q_OBJECT

private slots:
    void appendedRowsReachViewsOnlyAtSyncInOneInsertion() {
        ResultList list;
        ResultListModel model(list);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        list.Append("t:\\a.tmp");
        list.Append("t:\\b.tmp");
        list.Append("t:\\c.tmp");
        QCOMPARE(model.rowCount(), 0);

        model.Sync();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 2);
        QCOMPARE(model.index(2).data().toString(), QString("t:\\c.tmp"));

        model.Sync();  // nothing new: nothing to tell
        QCOMPARE(inserted.size(), 1);

        list.Append("t:\\d.tmp");
        model.Sync();
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted[1][1].toInt(), 3);
        QCOMPARE(inserted[1][2].toInt(), 3);
    }

    void syncAfterClearResetsTheModel() {
        ResultList list;
        list.Append("t:\\a.tmp");
        list.Append("t:\\b.tmp");
        ResultListModel model(list);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

        list.Clear();
        QCOMPARE(model.index(1).data(), QVariant());  // rows gone before the sync read as nothing
        list.Append("t:\\new.tmp");
        list.Append("t:\\newer.tmp");
        list.Append("t:\\newest.tmp");
        model.Sync();

        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0).data().toString(), QString("t:\\new.tmp"));
    }
};

class WidestEntryTest : public QObject {
    Q_OBJECT

private slots:
    void neverFallsShortOfTheDrawnWidth() {
        const std::vector<std::string> entries = {
            "c:\\AVAWAY To Ty.tmp",                         // kerning pairs
            "c:\\fi ffl office\\Wave.tmp",                  // ligatures
            "c:\\home\\Stra\u00dfe\\\u65e5\u8a18\\na\u00efve.tmp",  // outside ASCII
            "c:\\a\\\U0001F600 emoji.tmp",                 // outside the 16-bit plane
            "c:\\e\u0301.tmp",                               // a combining mark
        };
        for (const char* family : {"Arial", "Courier New", "DejaVu Sans"}) {
            const QFont font(family, 8);
            const QFontMetrics metrics(font);
            for (const std::string& entry : entries) {
                const int drawn = metrics.horizontalAdvance(QString::fromStdString(entry));
                const int measured = WidestEntryWidth({entry}, font);
                QVERIFY2(measured >= drawn, entry.c_str());
                QVERIFY2(measured <= drawn + drawn / 10, entry.c_str());
            }
        }
    }
};

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

}  // namespace vellomar

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);  // tests close windows and go on
    int failures = 0;
    vellomar::TFrmgarbTest window;
    failures += QTest::qExec(&window, argc, argv);
    vellomar::ResultListModelTest model;
    failures += QTest::qExec(&model, argc, argv);
    vellomar::WidestEntryTest width;
    failures += QTest::qExec(&width, argc, argv);
    vellomar::QtScanPromptsTest prompts;
    failures += QTest::qExec(&prompts, argc, argv);
    return failures;
}

#include "TFrmgarbTest.moc"
