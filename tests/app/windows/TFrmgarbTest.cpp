// The desktop windows of a search, run offscreen: the main window over a drive
// made of temporary folders, its list model, and the search's modal windows.

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "app/MainWindowPrompts.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "quicksearch/QuickSearchCommands.h"
#include "results/windows/ResultListModel.h"
#include "results/windows/WidestEntry.h"
#include "run/ResultList.h"
#include "run/Session.h"
#include "scan/SearchCommands.h"
#include "support/CliProgram.h"
#include "support/DesktopStandIn.h"
#include "support/ListedEntries.h"
#include "support/ScopedVariable.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/windows/FindControl.h"
#include "support/windows/PaintWatch.h"
#include "support/windows/QtTestRegistry.h"
#include "support/windows/UnnamedControls.h"
#include "support/windows/UnreadableCaptions.h"

namespace vellomar {
namespace {

using test::TempTree;
using test::WithNextModal;

const QString kComplete = "Disk analyze complete. Details shown.";
const std::string kListAboveEmpty = "The list above is currently empty.";
const std::string kListEmpty = "The list is currently empty.";

// The commands that answer an empty list, in the row under the list and in the sort group.
const char* const kFileButtons[] = {"cmddel",  "cmdbin",   "Button3", "cmddet",
                                    "Button2", "cmdbrowv", "cmdscrv"};
const char* const kSortButtons[] = {"cmdesrt", "Cmdnsrt", "Cmdpsrt", "Cmdssrt"};
// The five that an empty list disables; "Highlight All" and "Explore Folder" never are.
const char* const kDisablingFileButtons[] = {"cmddel", "cmdbin", "cmddet", "cmdbrowv", "cmdscrv"};
const char* const kSearchButtons[] = {
    "Cmdgarb", "Cmdzero", "Cmdcweb", "Cmdcpic", "Cmdfetch", "cmdvideo", "cmdpic", "cmdsound",
    "Cmdscreen", "Cmdwp", "Cmdzip", "Cmdother", "Cmdini", "CmdBookmarks", "CmdLog", "CmdTax",
    "CmdDisk"};

// Answers the main window's modal windows without showing any; deletion is
// answered "No" unless a test says otherwise.
class ScriptedScanPrompts final : public MainWindowPrompts {
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
    bool ConfirmDeletion(std::string_view text) override {
        questions.emplace_back(text);
        return answerYes;
    }
    bool Confirm(std::string_view question) override { return ConfirmDeletion(question); }
    void ShowGarbageBin() override { ++binShown; }
    std::optional<std::string> AskListFilePath() override { return listFile; }
    void ShowQuickSearchWindow() override {
        if (onQuickSearch) onQuickSearch();
    }
    NameQuery QueryOfWindow() const override { return nameQuery; }

    bool tickDontShowAgain = false;
    bool answerYes = false;
    int binShown = 0;
    std::optional<std::string> listFile;  // "Save List As…" answered with this file
    std::vector<std::string> questions;
    std::function<void()> onInformation;
    std::function<void()> onQuickSearch;  // the Quick Search window while it is open
    NameQuery nameQuery;
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
                                                 (tree / "home/program").string(), ""}),
          session(platform),
          window(session, prompts) {
        tree.AddFolder("drive");
        tree.AddFolder("home/config");
    }

    template <typename T>
    T* Control(const char* name) {
        return test::Control<T>(window, name);
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
        for (const std::string& entry : test::ShownEntries(session.results))
            entries << QString::fromStdString(entry);
        return entries;
    }

    void Search(const char* button, char drive = 't') {
        QComboBox* chooser = Control<QComboBox>("DriveComboBox1");
        chooser->setCurrentIndex(chooser->findData(QChar(drive)));
        Control<QPushButton>(button)->click();
    }
    // Enabled, and shown once the window is.
    bool Usable(const char* name) {
        QWidget* control = Control<QWidget>(name);
        return control->isEnabled() && control->isVisibleTo(&window);
    }
    bool Shown(const char* name) { return Control<QWidget>(name)->isVisibleTo(&window); }
    std::vector<std::pair<MessageKind, std::string>> TakeMessages() {
        return std::exchange(prompts.messages, {});
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

// The process's current folder, moved for one test. Walks move it too, so the
// one before may be gone by now: then it is left in the temporary folder.
class CurrentFolderGuard {
public:
    explicit CurrentFolderGuard(const std::filesystem::path& folder) {
        std::error_code error;
        previous_ = std::filesystem::current_path(error);
        std::filesystem::current_path(folder);
    }
    ~CurrentFolderGuard() {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
        if (error) std::filesystem::current_path(std::filesystem::temp_directory_path(), error);
    }

private:
    std::filesystem::path previous_;
};

QImage PictureOf(const QIcon& icon) { return icon.pixmap(16, 16).toImage(); }

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}


}  // namespace

class TFrmgarbTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithEveryDesignedControlUsableAndTheSearchOnlyPartsHidden() {
        MainWindowRig rig;
        QCOMPARE(rig.window.windowTitle(), QString("Vellomar"));
        for (const char* name : kFileButtons) QVERIFY2(rig.Usable(name), name);
        for (const char* name : kSortButtons) QVERIFY2(rig.Usable(name), name);
        for (const char* name : kSearchButtons) QVERIFY2(rig.Usable(name), name);
        for (const char* name : {"ListBox1", "CheckIgnore", "cmdtotal", "DriveComboBox1", "Cmdmore",
                                 "cmdhelp", "cmdexit", "Lblsize", "Lbldate", "Lblfiles",
                                 "LblQuickSearch", "LblQuickSearch2"})
            QVERIFY2(rig.Usable(name), name);
        QVERIFY(rig.Control<QCheckBox>("CheckIgnore")->isChecked());
        for (const char* name :
             {"lblcount1", "lblbytes1", "cmdstop", "EdFilter", "CmdFilter", "ListHidden"})
            QVERIFY2(!rig.Shown(name), name);
        for (const char* name : {"lblcount2", "lblbytes2", "Lblsize", "Lbldate", "Lblfiles"})
            QVERIFY2(rig.Text(name).isEmpty(), name);
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

    void deleteRemovesTheFilesTheUserHighlightedAndRebuildsTheList() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/b.tmp:20", "drive/c.tmp:30"});
        rig.Search("Cmdgarb");  // the cleanup offer is answered "No"
        rig.List()->clearSelection();
        const QModelIndex a = rig.List()->model()->index(rig.Rows().indexOf("t:\\a.tmp"), 0);
        const QModelIndex c = rig.List()->model()->index(rig.Rows().indexOf("t:\\c.tmp"), 0);
        rig.List()->selectionModel()->select(a, QItemSelectionModel::Select);
        rig.List()->selectionModel()->select(c, QItemSelectionModel::Select);
        rig.prompts.answerYes = true;

        rig.Control<QPushButton>("cmddel")->click();

        QVERIFY(!std::filesystem::exists(rig.tree / "drive/a.tmp"));
        QVERIFY(std::filesystem::exists(rig.tree / "drive/b.tmp"));
        QVERIFY(!std::filesystem::exists(rig.tree / "drive/c.tmp"));
        QCOMPARE(rig.Rows(), QStringList({"t:\\b.tmp"}));
        QCOMPARE(rig.Text("lblcount2"), QString("1"));
        QCOMPARE(rig.Text("lblbytes2"), QString("20"));
        QCOMPARE(rig.session.cleanup.CleanedFileCount, 2);
        QCOMPARE(rig.session.cleanup.ReclaimedBytes, 40.0);
        QCOMPARE(rig.List()->currentIndex().row(), 0);
    }

    void theBinOpensByCtrlBOrTheListsMenuAlsoWithAnEmptyList() {
        MainWindowRig rig;
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        QVERIFY(rig.session.results.Empty());
        QTest::keyClick(&rig.window, Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(rig.prompts.binShown, 1);

        auto* openBin = rig.window.findChild<QAction*>("OpenGarbageBin");
        QVERIFY(openBin);
        QCOMPARE(openBin->text(), QString::fromUtf8("Open Garbage Bin\u2026"));
        // A right click on the list, disabled while it is empty, reaches its panel's.
        for (const char* menuOwner : {"ListBox1", "Panel1"}) {
            QWidget* owner = rig.Control<QWidget>(menuOwner);
            QCOMPARE(owner->contextMenuPolicy(), Qt::ActionsContextMenu);
            QVERIFY(owner->actions().contains(openBin));
        }
        openBin->trigger();
        QCOMPARE(rig.prompts.binShown, 2);
    }

    void theListsMenuSavesCopiesAndBypassesByTheEntryRightClicked() {
        MainWindowRig rig;
        rig.tree.AddFolder("home/config/Velmo");
        rig.tree.AddAll({"drive/a.tmp:10", "drive/sub/b.bak:20"});
        rig.Search("Cmdgarb");  // the cleanup offer is answered "No"
        const QStringList menu = [&] {
            QStringList texts;
            for (QAction* action : rig.List()->actions()) texts << action->text();
            return texts;
        }();
        QCOMPARE(menu, QStringList({QString::fromUtf8("Open Garbage Bin\u2026"),
                                    QString::fromUtf8("Save List As\u2026"), "Copy Path",
                                    "Never List This Folder"}));
        const auto trigger = [&](const char* name) {
            rig.List()->findChild<QAction*>(name)->trigger();
        };

        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        const int row = rig.Rows().indexOf("t:\\sub\\b.bak");
        const QRect place = rig.List()->visualRect(rig.List()->model()->index(row, 0));
        QTest::mouseClick(rig.List()->viewport(), Qt::RightButton, {}, place.center());
        QCOMPARE(rig.session.results.Current(), std::optional<std::size_t>(row));
        trigger("CopyPath");
        // Other programs are handed the file's own path, not the program's drive form.
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QDir::toNativeSeparators(
                     QString::fromStdString((rig.tree / "drive/sub/b.bak").string())));

        rig.prompts.listFile = "c:\\list.csv";
        trigger("SaveListAs");
        const std::string saved = test::ReadWholeFile(rig.tree / "home/list.csv");
        QVERIFY(saved.find("t:\\a.tmp,10,") != std::string::npos);
        QVERIFY(saved.find("t:\\sub\\b.bak,20,") != std::string::npos);

        QCOMPARE(rig.Text("LblQuickSearch"), QString("Quick search: OFF"));
        trigger("NeverListThisFolder");
        QCOMPARE(rig.Text("LblQuickSearch"), QString("Quick search: ON"));
        QCOMPARE(rig.Text("LblQuickSearch2"), QString("(Bypassing specified folders)"));
        QCOMPARE(rig.session.quickSearch.window.skipFolders, std::vector<std::string>{"t:\\sub"});
        rig.TakeMessages();
        rig.Search("Cmdgarb");
        QCOMPARE(rig.Rows(), QStringList({"t:\\a.tmp"}));
    }

    void theSortNoticeIsPaintedBeforeTheSortBegins() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/Zed.TMP:1", "drive/sub/alpha.bak:2", "drive/Beta.old:3"});
        rig.Search("Cmdgarb");
        rig.window.show();
        auto* notice = rig.window.findChild<QWidget*>("TFrmSortWindow");
        QVERIFY(notice);
        const QStringList unsorted = rig.CoreEntries();
        // Painted as it is shown, before the status line changes: a window
        // manager may take longer than the one round of events before the
        // sort to expose a new window. And the sort changes the list only once
        // every key is made and ordered, so it is painted before the sort.
        test::PaintWatch watch(*notice, [&] {
            return notice->isVisible() && rig.Text("Lblfiles").isEmpty() &&
                   rig.CoreEntries() == unsorted;
        });
        rig.Control<QLabel>("Lblfiles")->clear();
        rig.Control<QPushButton>("Cmdssrt")->click();
        QVERIFY(watch.paintsWhile >= 1);
        QVERIFY(rig.CoreEntries() != unsorted);
        QVERIFY(!notice->isVisible());
    }

    void sortAndFilterReorderAndNarrowTheShownList() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/Zed.TMP:1", "drive/sub/alpha.bak:2", "drive/Beta.old:3"});
        rig.Search("Cmdgarb");
        QVERIFY(rig.Control<QCheckBox>("CheckIgnore")->isChecked());

        rig.Control<QPushButton>("Cmdnsrt")->click();
        QCOMPARE(rig.Rows(), QStringList({"t:\\sub\\alpha.bak", "t:\\beta.old", "t:\\zed.tmp"}));
        QCOMPARE(rig.Text("Lblfiles"), QString("Sort is finished."));

        // Enter on a focused button presses it; Enter in the filter box filters.
        rig.Control<QLabel>("Lblfiles")->clear();
        QTest::keyClick(rig.Control<QPushButton>("Cmdnsrt"), Qt::Key_Return);
        QCOMPARE(rig.Text("Lblfiles"), QString("Sort is finished."));
        rig.Control<QLineEdit>("EdFilter")->setText("  ZED ");
        QTest::keyClick(rig.Control<QLineEdit>("EdFilter"), Qt::Key_Return);
        QCOMPARE(rig.Rows(), QStringList({"t:\\zed.tmp"}));

        // The lower-cased entry still deletes the file it was found as.
        rig.prompts.answerYes = true;
        rig.Control<QPushButton>("Button3")->click();
        rig.Control<QPushButton>("cmddel")->click();
        QVERIFY(!std::filesystem::exists(rig.tree / "drive/Zed.TMP"));
        QVERIFY(rig.Rows().isEmpty());
    }

    // The window and vellomar-cli take the same locale from the environment
    // and sort in its order: "\xc3\x84" is "Ä", "\xc3\xa9" "é", "\xc3\x89" "É".
    void sortsAsTheCommandLineDoesInTheUsersLocale() {
        const std::pair<const char*, const char*> kinds[] = {
            {"cmdesrt", "ext"}, {"Cmdnsrt", "name"}, {"Cmdpsrt", "path"}, {"Cmdssrt", "size"}};
        for (const char* locale : {"C.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"}) {
            test::ScopedVariable all("LC_ALL", locale);
            MainWindowRig rig;
            rig.tree.AddAll({"drive/z.tmp:1", "drive/\xc3\x84pfel.tmp:2", "drive/apfel.bak:3",
                             "drive/\xc3\xa9" "a.old:1", "drive/\xc3\x89mile.tmp:2", "drive/\xc3\x89" "b.chk:3",
                             "drive/Stra\xc3\x9f" "e.tmp:1", "drive/sub/a_b.tmp:2", "drive/sub/a1.TMP:4"});
            rig.Search("Cmdgarb");
            for (const auto& [button, kind] : kinds) {
                rig.Control<QPushButton>(button)->click();
                const test::CliRun cli = test::RunCli(
                    {rig.tree / "home/config", rig.tree / "home/cache"},
                    "--drive t=" + (rig.tree / "drive").string() + " --sort " + kind + " garbage t:",
                    rig.tree.Root());
                QStringList cliRows;
                for (const std::string& line : cli.out) cliRows << QString::fromStdString(line);
                QVERIFY2(rig.Rows() == cliRows, qPrintable(QString(locale) + " " + kind + ": " +
                                                           rig.Rows().join(' ') + " | " + cliRows.join(' ')));
            }
            // By name, "Ä" goes beside "a" in a language's order, after "z" by code point.
            rig.Control<QPushButton>("Cmdnsrt")->click();
            const bool umlautBeforeZ =
                rig.Rows().indexOf("t:\\\xc3\x84pfel.tmp") < rig.Rows().indexOf("t:\\z.tmp");
            QCOMPARE(umlautBeforeZ, std::string_view(locale) != "C.UTF-8");
        }
    }

    void quickSearchFindsFilesByNameAndShowsTheFilterStatus() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/notes.txt:4", "drive/sub/NOTES.TXT:6", "drive/other.doc:1"});
        rig.tree.AddFolder("home/config/Velmo");
        QCOMPARE(rig.Text("LblQuickSearch"), QString("Quick search: OFF"));

        rig.prompts.nameQuery = {"notes.txt", true, false};
        rig.prompts.onQuickSearch = [&] {
            rig.session.quickSearch.window.scope = QuickSearchScope::BothWindows;
            QVERIFY(SaveQuickSearchWindow(rig.session, rig.prompts));
            rig.session.quickSearch.DiskSearchRequested = true;
        };
        rig.Search("CmdDisk");

        QCOMPARE(Sorted(rig.Rows()), QStringList({"t:\\notes.txt", "t:\\sub\\NOTES.TXT"}));
        QCOMPARE(rig.Text("lblbytes2"), QString("10"));
        QVERIFY(rig.prompts.summaries.empty());
        QCOMPARE(rig.Text("LblQuickSearch"), QString("Quick search: ON"));
        QCOMPARE(rig.Text("LblQuickSearch2"), QString("(Bypassing specified folders)"));
        QCOMPARE(rig.Control<QLabel>("LblQuickSearch2")->palette().color(QPalette::WindowText),
                 QColor(0, 128, 0));
        QVERIFY(!rig.Shown("cmdstop"));
    }

    void internetCommandsListTheCacheFoldersAndSetTheLabelsAfterwards() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/cache/page:10", "drive/cache/logo.png:20", "drive/x.tmp:5"});
        rig.session.browserCaches.cacheFolders.Add("t:\\cache\\");

        rig.Search("Cmdcweb");
        QCOMPARE(Sorted(rig.Rows()), QStringList({"t:\\cache\\logo.png", "t:\\cache\\page"}));
        QCOMPARE(rig.Text("lblcount2"), QString("2"));
        QCOMPARE(rig.Text("lblbytes2"), QString("30"));
        QCOMPARE(rig.prompts.summaries.back()[2],
                 std::string("All Internet Files -> 2 files FOUND, consuming 30 bytes."));

        rig.Search("Cmdcpic");
        QCOMPARE(rig.Rows(), QStringList({"t:\\cache\\logo.png"}));
        QCOMPARE(rig.Text("lblbytes2"), QString("20"));

        rig.Search("Cmdfetch");  // the cache, then the drive's garbage
        QCOMPARE(rig.Rows().size(), 3);
        QCOMPARE(rig.Rows().back(), QString("t:\\x.tmp"));
        QCOMPARE(rig.Text("lblbytes2"), QString("35"));
    }

    void doubleClickOpensTheClickedEntryWhateverIsHighlighted() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp", "drive/b.tmp", "drive/c.tmp"});
        test::DesktopStandIn desktop(rig.tree / "bin");

        rig.Search("Cmdgarb");
        rig.Control<QPushButton>("Button3")->click();  // everything highlighted, the last current
        const int first = 0;  // not the current entry
        const QModelIndex index = rig.List()->model()->index(first, 0);
        emit rig.List()->doubleClicked(index);

        const std::string expected = (rig.tree / "drive").string() + "/" +
                                     std::string(rig.session.results.FoundPath(first)).substr(3);
        QCOMPARE(desktop.Opened(), expected + "\n");
        QCOMPARE(rig.session.results.Current(), std::optional<std::size_t>(first));
    }

    void searchThatFindsNothingDisablesTheListUntilOneDoes() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/notes.txt:5"});
        rig.Search("cmdvideo");
        QCOMPARE(rig.Rows(), QStringList());
        QCOMPARE(rig.Text("lblcount2"), QString("0"));
        QCOMPARE(rig.Text("lblbytes2"), QString("0"));
        QCOMPARE(rig.Text("Lblfiles"), kComplete);
        QVERIFY(rig.prompts.summaries.empty());
        const auto checkEmptyState = [&] {
            QVERIFY(!rig.List()->isEnabled());
            for (const char* name : kDisablingFileButtons) QVERIFY2(!rig.Usable(name), name);
            QVERIFY(rig.Usable("Button3"));
            QVERIFY(rig.Usable("Button2"));
            for (const char* name : {"Lblsize", "Lbldate", "EdFilter", "CmdFilter"})
                QVERIFY2(!rig.Shown(name), name);
        };
        checkEmptyState();

        rig.Search("Cmdgarb");
        QCOMPARE(rig.Rows(), QStringList({"t:\\a.tmp"}));
        QVERIFY(rig.List()->isEnabled());
        for (const char* name : kFileButtons) QVERIFY2(rig.Usable(name), name);
        for (const char* name : {"Lblsize", "Lbldate", "EdFilter", "CmdFilter"})
            QVERIFY2(rig.Shown(name), name);
        QCOMPARE(rig.Control<QLineEdit>("EdFilter")->text(), QString("Filter List"));

        rig.Search("cmdvideo");
        checkEmptyState();
    }

    void busySearchLeavesEveryControlButTheSearchesAndTotalsAsItWas() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/b.tmp:10"});
        rig.Search("Cmdgarb");  // filled: the filter box is shown
        QTest::qWait(50);        // the next walk hands input over at once
        std::map<std::string, bool> usable;
        QTimer duringWalk;       // ends with the test, also when the walk never fires it
        duringWalk.setSingleShot(true);
        QObject::connect(&duringWalk, &QTimer::timeout, [&] {
            for (const char* name : kFileButtons) usable[name] = rig.Usable(name);
            for (const char* name : kSortButtons) usable[name] = rig.Usable(name);
            for (const char* name : kSearchButtons) usable[name] = rig.Usable(name);
            for (const char* name :
                 {"ListBox1", "CheckIgnore", "cmdtotal", "DriveComboBox1", "Cmdmore", "cmdhelp",
                  "cmdexit", "cmdstop", "EdFilter", "CmdFilter", "lblcount1", "lblbytes1"})
                usable[name] = rig.Usable(name);
        });
        duringWalk.start(0);
        rig.Search("Cmdgarb");

        QVERIFY(!usable.empty());
        for (const char* name : kSearchButtons) QVERIFY2(!usable[name], name);
        for (const char* name : {"cmdtotal", "EdFilter", "CmdFilter"})
            QVERIFY2(!usable[name], name);
        for (const char* name : kFileButtons) QVERIFY2(usable[name], name);
        for (const char* name : kSortButtons) QVERIFY2(usable[name], name);
        for (const char* name : {"ListBox1", "CheckIgnore", "DriveComboBox1", "Cmdmore", "cmdhelp",
                                 "cmdexit", "cmdstop", "lblcount1", "lblbytes1"})
            QVERIFY2(usable[name], name);

        // Left again: the searches and totals back, the filter box with the entries.
        for (const char* name : kSearchButtons) QVERIFY2(rig.Usable(name), name);
        for (const char* name : {"cmdtotal", "EdFilter", "CmdFilter"})
            QVERIFY2(rig.Usable(name), name);
        QVERIFY(!rig.Shown("cmdstop"));
    }

    void fileAndSortCommandsAnswerAnEmptyListWithTheirMessage() {
        using Messages = std::vector<std::pair<MessageKind, std::string>>;
        MainWindowRig rig;
        for (const char* name : kFileButtons) rig.Control<QPushButton>(name)->click();
        QCOMPARE(rig.TakeMessages(), Messages(7, {MessageKind::Plain, kListAboveEmpty}));
        for (const char* name : kSortButtons) rig.Control<QPushButton>(name)->click();
        QCOMPARE(rig.TakeMessages(), Messages(4, {MessageKind::Plain, kListEmpty}));

        rig.Search("cmdvideo");  // finds nothing: only two file buttons can still be pressed
        for (const char* name : kFileButtons) rig.Control<QPushButton>(name)->click();
        QCOMPARE(rig.TakeMessages(), Messages(2, {MessageKind::Plain, kListAboveEmpty}));

        rig.tree.AddFile("drive/a.tmp", 1);
        rig.Search("Cmdgarb");  // the cleanup offer is answered "No"
        for (const char* name : kFileButtons) {
            // "Explore Folder" would start the desktop's file manager.
            if (std::string_view(name) == "Button2") continue;
            WithNextModal([](QWidget*) {});  // "Get Details" opens File Details
            rig.Control<QPushButton>(name)->click();
        }
        for (const char* name : kSortButtons) rig.Control<QPushButton>(name)->click();
        for (const auto& [kind, text] : rig.TakeMessages())
            QVERIFY2(text != kListAboveEmpty && text != kListEmpty, text.c_str());
    }

    void everyOtherControlCarriesItsCaptionHintAndPointer() {
        struct Look {
            const char* name;
            const char* caption;
            const char* hint;
            Qt::CursorShape pointer;
        };
        const Look looks[] = {
            {"cmddel", "Delete", "Delete highlighted file", Qt::PointingHandCursor},
            {"cmdbin", "Delete to Bin", "Delete highlighted file and put in trash bin",
             Qt::PointingHandCursor},
            {"Button3", "Highlight All", "", Qt::PointingHandCursor},
            {"cmddet", "Get Details", "Show all file details", Qt::PointingHandCursor},
            {"Button2", "Explore Folder", "Jump to the folder containing this file",
             Qt::PointingHandCursor},
            {"cmdbrowv", "View This File", "View or open the highlighted file",
             Qt::PointingHandCursor},
            {"cmdscrv", "Preview SS", "Preview the highlighted screensaver",
             Qt::PointingHandCursor},
            {"cmdstop", "", "Stop the file analyze", Qt::PointingHandCursor},
            {"cmdesrt", "Ext", "Sort the list by file extension", Qt::ArrowCursor},
            {"Cmdnsrt", "Name", "Sort the list by file name", Qt::ArrowCursor},
            {"Cmdpsrt", "Path", "Sort the list by path", Qt::ArrowCursor},
            {"Cmdssrt", "Size", "Sort this list by file size", Qt::ArrowCursor},
            {"CmdFilter", "Ok",
             "Enter filter data and click \"Ok\" to keep only your filter in the list",
             Qt::ArrowCursor},
            {"Cmdcweb", "All Internet Files", "Find all cached webpages", Qt::PointingHandCursor},
            {"Cmdcpic", "Internet Pics Only", "Find all cached webpage pictures",
             Qt::PointingHandCursor},
            {"Cmdfetch", "Fetch ALL", "Fetch all garbage that can be removed",
             Qt::PointingHandCursor},
            {"CmdDisk", "Quick Search", "Customized search or add search filters for speed",
             Qt::PointingHandCursor},
            {"cmdtotal", "Show Totals", "View system totals", Qt::PointingHandCursor},
            {"Cmdmore", "Downloads", "", Qt::PointingHandCursor},
            {"cmdhelp", "Help", "", Qt::PointingHandCursor},
            {"cmdexit", "Exit", "", Qt::PointingHandCursor},
        };
        MainWindowRig rig;
        for (const Look& look : looks) {
            QPushButton* button = rig.Control<QPushButton>(look.name);
            QCOMPARE(button->text(), QString(look.caption));
            QCOMPARE(button->toolTip(), QString(look.hint));
            QCOMPARE(button->cursor().shape(), look.pointer);
        }
        QCheckBox* ignoreCase = rig.Control<QCheckBox>("CheckIgnore");
        QCOMPARE(ignoreCase->text(), QString("Ignore Case"));
        QCOMPARE(ignoreCase->toolTip(),
                 QString("Check this before sorting to ignore uppercase vs. lowercase"));
        QCOMPARE(qobject_cast<QGroupBox*>(ignoreCase->parent())->title(),
                 QString("Sort Your Result List:"));
        QCOMPARE(rig.Control<QGroupBox>("GroupBox5")->title(), QString("View or Examine"));
        QCOMPARE(rig.Control<QGroupBox>("GroupBox3")->title(), QString("Remove Garbage"));
        for (const char* name : {"Cmdcweb", "Cmdcpic", "Cmdfetch"})
            QCOMPARE(rig.Control<QWidget>(name)->parent()->objectName(), QString("GroupBox3"));
        QCOMPARE(rig.Control<QWidget>("CmdDisk")->parent()->objectName(), QString("GroupBox5"));

        // Coloured captions, which disabled buttons give up for the style's disabled look.
        const std::pair<const char*, QColor> colouredCaptions[] = {
            {"Button2", Qt::red},          {"Cmdfetch", QColor(0, 0, 128)},
            {"cmdesrt", QColor(0, 0, 128)}, {"CmdFilter", QColor(0, 0, 128)}};
        for (const auto& [name, colour] : colouredCaptions) {
            const QPalette palette = rig.Control<QPushButton>(name)->palette();
            QCOMPARE(palette.color(QPalette::Active, QPalette::ButtonText), colour);
            QVERIFY2(palette.color(QPalette::Disabled, QPalette::ButtonText) != colour, name);
        }

        // Stop is a picture alone; the sort buttons all carry the picture of "Ext".
        QVERIFY(!rig.Control<QPushButton>("cmdstop")->icon().isNull());
        const QIcon sortPicture = rig.Control<QPushButton>("cmdesrt")->icon();
        QVERIFY(!sortPicture.isNull());
        for (const char* name : kSortButtons)
            QCOMPARE(rig.Control<QPushButton>(name)->icon().cacheKey(), sortPicture.cacheKey());
    }

    void controlsNeitherOverlapNorSpillOutOfTheirContainers() {
        MainWindowRig rig;
        for (QWidget* container : rig.window.findChildren<QWidget*>()) {
            if (container->window() != &rig.window) continue;  // the windows it owns lay out their own
            if (!qobject_cast<QGroupBox*>(container) && container->objectName() != "Panel1" &&
                container != &rig.window)
                continue;
            QList<QWidget*> controls;
            for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->objectName() != "ListHidden" && !child->objectName().startsWith("qt_") &&
                    !child->isWindow())
                    controls << child;
            }
            const auto nameOf = [](QWidget* control) {
                auto* group = qobject_cast<QGroupBox*>(control);
                return (group ? group->title() : control->objectName()).toUtf8();
            };
            for (int i = 0; i < controls.size(); ++i) {
                QVERIFY2(container->contentsRect().contains(controls[i]->geometry()),
                         nameOf(controls[i]));
                for (int j = i + 1; j < controls.size(); ++j)
                    QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                             nameOf(controls[i]) + " and " + nameOf(controls[j]));
            }
            // Every caption fits inside its button's frame, beside its picture.
            for (QPushButton* button :
                 container->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
                QStyleOptionButton option;
                option.initFrom(button);
                const QRect inside =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + picture <=
                             inside.width(),
                         button->objectName().toUtf8());
            }
        }
    }

    void everyControlHasANameAScreenReaderCanAnnounce() {
        MainWindowRig rig;
        QVERIFY2(test::UnnamedControls(rig.window).isEmpty(),
                 qPrintable(test::UnnamedControls(rig.window).join(", ")));
        // A picture button is described by its hint.
        QCOMPARE(test::AccessibleText(rig.Control<QWidget>("cmdstop"), QAccessible::Description),
                 QString("Stop the file analyze"));
    }

    void everyCaptionReadsUnderADarkStyle() {
        test::DarkPalette dark;
        MainWindowRig rig;
        QVERIFY2(test::UnreadableCaptions(rig.window).isEmpty(),
                 qPrintable(test::UnreadableCaptions(rig.window).join(", ")));
    }

    void keysOnTheListDeleteAndOpenItsMenuAsTheMouseDoes() {
        MainWindowRig rig;
        rig.tree.AddAll({"drive/a.tmp:10", "drive/b.tmp:20"});
        rig.Search("Cmdgarb");  // the cleanup offer is answered "No"
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        QListView* list = rig.List();
        list->setFocus();
        const int b = rig.Rows().indexOf("t:\\b.tmp");
        list->setCurrentIndex(list->model()->index(b, 0));  // a click on b.tmp
        rig.prompts.questions.clear();

        // Delete asks first, as the button does; "No" deletes nothing.
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(rig.prompts.questions.size(), std::size_t(1));
        QVERIFY(rig.prompts.questions[0].rfind("Delete 1 highlighted file(s)", 0) == 0);
        QVERIFY(std::filesystem::exists(rig.tree / "drive/b.tmp"));
        list->setCurrentIndex(list->model()->index(rig.Rows().indexOf("t:\\b.tmp"), 0));
        rig.prompts.answerYes = true;
        QTest::keyClick(list, Qt::Key_Delete);
        QVERIFY(!std::filesystem::exists(rig.tree / "drive/b.tmp"));
        QCOMPARE(rig.Rows(), QStringList({"t:\\a.tmp"}));

        // The menu key and Shift+F10 open the list's own menu at the current entry.
        for (auto [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()},
                                      std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
            QStringList shown;
            QTimer::singleShot(0, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    for (QAction* action : menu->actions()) shown << action->text();
                    menu->close();
                }
            });
            QTest::keyClick(list, key, modifiers);
            QCOMPARE(shown, QStringList({QString::fromUtf8("Open Garbage Bin\u2026"),
                                         QString::fromUtf8("Save List As\u2026"), "Copy Path",
                                         "Never List This Folder"}));
        }
    }

    void f1OpensHelpFromAnywhereInTheWindow() {
        MainWindowRig rig;  // the program folder holds no help page: it says so
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        rig.Control<QWidget>("cmdtotal")->setFocus();
        QTest::keyClick(rig.Control<QWidget>("cmdtotal"), Qt::Key_F1);
        const auto messages = rig.TakeMessages();
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY(messages[0].second.find("Help.htm") != std::string::npos);
    }

    void helpAndDownloadsSayWhenTheirPageIsMissing() {
        MainWindowRig rig;  // the program folder holds neither page
        rig.Control<QPushButton>("cmdhelp")->click();
        rig.Control<QPushButton>("Cmdmore")->click();
        const auto messages = rig.TakeMessages();
        QCOMPARE(messages.size(), std::size_t(2));
        QCOMPARE(messages[0].first, MessageKind::Error);
        QVERIFY(messages[0].second.find("Help.htm") != std::string::npos);
        QCOMPARE(messages[1].first, MessageKind::Plain);
        QVERIFY(messages[1].second.find("download.htm") != std::string::npos);
    }

    void driveChooserNamesEachDriveByItsKindAndStartsAtTheCurrentFolder() {
        TempTree tree;
        DriveTable drives;
        drives.Assign('d', tree.AddFolder("stick").string(), DriveKind::Removable, "STICK");
        drives.Assign('e', tree.AddFolder("Disc").string(), DriveKind::CdRom, "");
        drives.Assign('f', tree.AddFolder("ram").string(), DriveKind::RamDisk, "");
        drives.Assign('n', tree.AddFolder("net").string(), DriveKind::Network, "server:/Export");
        drives.Assign('s', tree.AddFolder("system").string(), DriveKind::Fixed, "System Disk");
        drives.Assign('t', tree.AddFolder("drive").string());
        tree.AddFolder("drive/sub");
        Platform platform(std::move(drives), UserFolders{(tree / "config").string(),
                                                         (tree / "program").string(), ""});
        Session session(platform);
        ScriptedScanPrompts prompts;

        TFrmgarb window(session, prompts);  // the test's folder lies on none of these drives
        QComboBox* chooser = window.findChild<QComboBox*>("DriveComboBox1");
        QStringList items;
        for (int i = 0; i < chooser->count(); ++i) items << chooser->itemText(i);
        // A drive without a label is known by its folder, in its own letter case.
        const QString root = QString::fromStdString(tree.Root().string());
        QCOMPARE(items, QStringList({"d: [stick]", "e: [" + root + "/Disc]", "f: [" + root + "/ram]",
                                     "n: server:/Export", "s: [system disk]",
                                     "t: [" + root + "/drive]"}));
        QCOMPARE(chooser->currentIndex(), 0);
        // One picture per kind: the two fixed drives share theirs.
        QList<QImage> pictures;
        for (int i = 0; i < chooser->count(); ++i) {
            QVERIFY(!chooser->itemIcon(i).isNull());
            pictures << PictureOf(chooser->itemIcon(i));
        }
        QCOMPARE(pictures[4], pictures[5]);
        for (int i = 0; i < 5; ++i)
            for (int j = i + 1; j < 5; ++j) QVERIFY(pictures[i] != pictures[j]);

        CurrentFolderGuard inDriveT(tree / "drive/sub");
        TFrmgarb startedOnT(session, prompts);
        QCOMPARE(startedOnT.findChild<QComboBox*>("DriveComboBox1")->currentText(),
                 "t: [" + root + "/drive]");
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
        rig.Search("Cmdgarb", 'c');
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

    // What the screen holds after a walk's hand-over, before the walk goes on:
    // the rows found so far, not a blank list.
    void rowsFoundDuringAWalkAreOnTheScreenAtTheHandOver() {
        MainWindowRig rig;
        rig.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
        QTest::qWait(50);  // the empty list drawn once, as before a walk
        QListView* list = rig.List();
        for (int handOver = 0; handOver < 3; ++handOver) {
            for (int i = 0; i < 20; ++i)
                test::AppendListed(rig.session.results, rig.session.platform.Files(), "t:\\found\\" + std::to_string(handOver) + "-" + std::to_string(i) + ".tmp");
            QTest::qWait(30);  // a walk's next hand-over is due
            static_cast<ScanView&>(rig.window).Pump();

            const QImage screen = rig.window.screen()->grabWindow(rig.window.winId()).toImage();
            const QRect firstRow = list->visualRect(list->model()->index(0, 0));
            QVERIFY2(firstRow.isValid(), "the first row is laid out");
            const QRect onScreen(list->viewport()->mapTo(&rig.window, firstRow.topLeft()), firstRow.size());
            int inkedPixels = 0;
            for (int y = onScreen.top(); y <= onScreen.bottom(); ++y)
                for (int x = onScreen.left(); x < onScreen.left() + 200; ++x)
                    if (qGray(screen.pixel(x, y)) < 128) ++inkedPixels;
            QVERIFY2(inkedPixels > 20, qPrintable(QString("hand-over %1").arg(handOver)));
        }
    }

    void exitDuringAWalkStopsItAndClosesAfterwards() {
        MainWindowRig rig;
        for (int i = 0; i < 40; ++i) rig.tree.AddFile("drive/f" + std::to_string(i) + ".tmp", 1);
        rig.window.show();
        std::optional<bool> openAfterClose;
        QTimer::singleShot(0, [&] {
            rig.Control<QPushButton>("cmdexit")->click();
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
        test::AppendListed(rig.session.results, rig.session.platform.Files(), longest.toStdString());
        // Left to itself, the list takes every row's width from its last row.
        test::AppendListed(rig.session.results, rig.session.platform.Files(), "t:\\a.tmp");
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

VELLOMAR_QT_TEST(TFrmgarbTest);

}  // namespace vellomar

#include "TFrmgarbTest.moc"
