// The Quick Search window, run offscreen over a data folder on temporary
// drives, with a scripted folder picker and recorded messages.

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "quicksearch/QuickSearchCommands.h"
#include "quicksearch/QuickSearchFile.h"
#include "quicksearch/windows/TFrmDiskCheck.h"
#include "run/Session.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

using test::WithNextModal;
using Messages = std::vector<std::pair<MessageKind, std::string>>;

const QString kUnableToWrite = "Unable to write to u:\\.config\\Velmo\\qsearch.ini";

void Click(QWidget& window, const char* button) { Control<QPushButton>(window, button)->click(); }

QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

QStringList Texts(const std::vector<std::string>& folders) {
    QStringList texts;
    for (const std::string& folder : folders) texts << QString::fromStdString(folder);
    return texts;
}

class RecordingPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    Messages Take() { return std::exchange(messages, {}); }

    Messages messages;
};

// A session whose data folder u:\.config\Velmo exists, and the window over it;
// the picker answers from picks, first to last.
struct QuickSearchRig {
    explicit QuickSearchRig(std::string settingsFile = {})
        : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        if (!settingsFile.empty()) test::WriteWholeFile(SettingsPath(), settingsFile);
        LoadQuickSearchWindow(session);
        window = std::make_unique<TFrmDiskCheck>(session, prompts, [this](std::string_view title) {
            titles.emplace_back(title);
            if (picks.empty()) qFatal("the folder picker was not expected");
            std::string answer = std::move(picks.front());
            picks.erase(picks.begin());
            return answer;
        });
    }

    std::filesystem::path SettingsPath() const { return tree / "home/.config/Velmo/qsearch.ini"; }
    QuickSearchSettings Saved() const {
        return ReadQuickSearchSettings(session.platform.Ini(session.dataFolder.QuickSearchPath));
    }
    QWidget& Window() { return *window; }
    QListWidget* List(const char* name) { return Control<QListWidget>(*window, name); }
    QCheckBox* Box(const char* name) { return Control<QCheckBox>(*window, name); }
    QRadioButton* Radio(const char* name) { return Control<QRadioButton>(*window, name); }
    void Pick(std::string folder) { picks.push_back(std::move(folder)); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingPrompts prompts;
    std::vector<std::string> picks;
    std::vector<std::string> titles;
    std::unique_ptr<TFrmDiskCheck> window;
};

// Every shown child lies inside its parent and clear of its shown siblings.
void VerifyNothingOverlaps(QWidget& parent) {
    QList<QWidget*> children;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(&parent)) children << child;
    for (int i = 0; i < children.size(); ++i) {
        const QByteArray name = children[i]->objectName().toUtf8();
        QVERIFY2(parent.rect().contains(children[i]->geometry()), name.constData());
        for (int j = i + 1; j < children.size(); ++j)
            QVERIFY2(!children[i]->geometry().intersects(children[j]->geometry()),
                     (name + " and " + children[j]->objectName().toUtf8()).constData());
    }
}

// Each control ends above the next one starts.
void VerifyTopToBottom(QWidget& window, std::initializer_list<const char*> names) {
    const QWidget* above = nullptr;
    for (const char* name : names) {
        QWidget* control = Control<QWidget>(window, name);
        if (above) QVERIFY2(above->geometry().bottom() < control->geometry().top(), name);
        above = control;
    }
}

}  // namespace

class TFrmDiskCheckTest : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsInTheirPlacesAndFonts() {
        QuickSearchRig rig;
        QWidget& window = rig.Window();
        QCOMPARE(window.windowTitle(), QString("Disk Search Details"));
        QCOMPARE(window.size(), QSize(547, 702));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.palette().color(QPalette::Window), QColor(234, 234, 234));
        QCOMPARE(window.font().family(), QString("Arial"));
        QCOMPARE(window.font().pointSize(), 8);

        QLabel* intro = Control<QLabel>(window, "Label1");
        QCOMPARE(intro->text(),
                 QString("You can customize and speed up your searches, by eliminating specific "
                         "folder paths or searching a combination of paths only. (For example, "
                         "you may know that your search data will never be in the Windows folder "
                         "path. Bypassing this can make it much faster)"));
        QVERIFY(intro->heightForWidth(intro->width()) <= intro->height());
        QGroupBox* frame = Control<QGroupBox>(window, "GroupBox1");
        QCOMPARE(frame->title(), QString("Speed Searching - Apply Search Filters"));
        QCOMPARE(frame->size(), QSize(516, 439));
        QCOMPARE(frame->palette().color(QPalette::Window), QColor(226, 225, 222));

        const std::pair<const char*, QString> captions[] = {
            {"Radboth", "Apply filters below to both this screen and main screen (Quicksearch ON)"},
            {"RadOnly", "Apply filters below to this search screen only (Quciksearch OFF)"},
            {"RadIgnore",
             "Do not use the filters below. (Quicksearch OFF. Ignore and search entire drive)"},
            {"RadSearchOnly", "SEARCH ONLY - Only search the folder list below"},
            {"RadSearchSkip", "BYPASS - Search entire hard drive EXCEPT for the file list below"},
            {"ChkExact", "Match exact name entered"},
            {"ChkExactIgnore", "Match partial name (i.e. enter .txt to find all files with .txt)"},
            {"ChkCase", "Match case (i.e. File name must match exactly as you type it in)"},
            {"ChkCaseIgnore", "Ignore case (i.e. TEST.TXT would be the same as test.txt)"},
        };
        for (const auto& [name, caption] : captions) {
            auto* button = Control<QAbstractButton>(window, name);
            QCOMPARE(button->text(), caption);
            QVERIFY2(button->sizeHint().width() <= button->width(), name);  // the caption whole
        }
        for (const char* name : {"ChkExact", "ChkExactIgnore", "ChkCase", "ChkCaseIgnore"})
            QCOMPARE(rig.Box(name)->font().family(), QString("Courier New"));

        QCOMPARE(Control<QLabel>(window, "LblOnly")->text(), QString("SEARCH ONLY"));
        QCOMPARE(Control<QLabel>(window, "LblSkip")->text(), QString("BYPASS"));
        QCOMPARE(Control<QLabel>(window, "LblFileName")->text(), QString("Search For a File"));
        for (const char* list : {"ListOnly", "ListSkip"}) {
            QCOMPARE(rig.List(list)->size(), QSize(499, 91));
            QCOMPARE(rig.List(list)->selectionMode(), QAbstractItemView::SingleSelection);
        }
        const std::tuple<const char*, QString, QSize> buttons[] = {
            {"CmdOnlyAdd", "Add Folder", {84, 19}},   {"CmdOnlyRemove", "Remove Folder", {84, 19}},
            {"CmdSkipAdd", "Add Folder", {84, 19}},   {"CmdSkipRemove", "Remove Folder", {84, 19}},
            {"BitBtn1", "Search Disk Now", {97, 19}}, {"BitBtn2", "Ok", {81, 22}},
        };
        for (const auto& [name, caption, size] : buttons) {
            QPushButton* button = Control<QPushButton>(window, name);
            QCOMPARE(button->text(), caption);
            QCOMPARE(button->size(), size);
            const int iconWidth = button->icon().isNull() ? 0 : button->iconSize().width();
            QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + iconWidth + 8 <=
                         button->width(),
                     name);
        }
        QCOMPARE(Control<QLineEdit>(window, "EdFileName")->size(), QSize(509, 22));
        QPushButton* save = Control<QPushButton>(window, "CmdSave");
        QCOMPARE(save->text(), QString("Save Settings"));
        QVERIFY(!save->isVisibleTo(&window));
    }

    void laysItsControlsOutTopToBottomWithoutOverlap() {
        QuickSearchRig rig;
        QWidget& window = rig.Window();
        VerifyNothingOverlaps(window);
        VerifyNothingOverlaps(*Control<QGroupBox>(window, "GroupBox1"));
        VerifyTopToBottom(window, {"Label1", "GroupBox1", "LblFileName", "EdFileName", "ChkExact",
                                   "ChkExactIgnore", "ChkCase", "ChkCaseIgnore", "BitBtn1"});
        VerifyTopToBottom(window, {"Radboth", "RadOnly", "RadIgnore", "RadSearchOnly",
                                   "RadSearchSkip", "LblOnly", "ListOnly", "CmdOnlyAdd", "LblSkip",
                                   "ListSkip", "CmdSkipAdd"});
        QPushButton* search = Control<QPushButton>(window, "BitBtn1");
        QPushButton* ok = Control<QPushButton>(window, "BitBtn2");
        QCOMPARE(search->geometry().bottom(), ok->geometry().bottom());
        QVERIFY(search->geometry().right() < window.width() / 2);
        QVERIFY(ok->geometry().left() > window.width() / 2);
    }

    void startsFromTheWorkingCopyWithExactNameAndCaseIgnored() {
        QuickSearchRig filled(
            "[Skip]\nF1=t:\\tmp\nF3=c:\\\n[Only]\nF2=t:\\docs\n"
            "[Status]\nSearch=Onlythiswindow\nPerform=Searchfolders\n");
        QCOMPARE(Texts(filled.List("ListSkip")), QStringList({"t:\\tmp", "c:\\"}));
        QCOMPARE(Texts(filled.List("ListOnly")), QStringList({"t:\\docs"}));
        for (const char* list : {"ListSkip", "ListOnly"}) {
            QCOMPARE(filled.List(list)->currentRow(), 0);
            QVERIFY(filled.List(list)->item(0)->isSelected());
        }
        QVERIFY(filled.Radio("RadOnly")->isChecked());
        QVERIFY(filled.Radio("RadSearchOnly")->isChecked());
        QVERIFY(!filled.Radio("Radboth")->isChecked() && !filled.Radio("RadIgnore")->isChecked());
        QVERIFY(!filled.Radio("RadSearchSkip")->isChecked());

        QuickSearchRig fresh;  // no file: both lists empty, filters ignored, bypass mode
        QCOMPARE(fresh.List("ListSkip")->count(), 0);
        QCOMPARE(fresh.List("ListOnly")->count(), 0);
        QVERIFY(fresh.Radio("RadIgnore")->isChecked());
        QVERIFY(fresh.Radio("RadSearchSkip")->isChecked());
        QVERIFY(fresh.Box("ChkExact")->isChecked() && !fresh.Box("ChkExactIgnore")->isChecked());
        QVERIFY(fresh.Box("ChkCaseIgnore")->isChecked() && !fresh.Box("ChkCase")->isChecked());
        const NameQuery query = fresh.window->QueryOfWindow();
        QVERIFY(query.exact && !query.matchCase);
    }

    void radioButtonsWriteTheScopeAndModeIntoTheWorkingCopy() {
        QuickSearchRig rig;
        const QuickSearchSettings& settings = rig.session.quickSearch.window;
        rig.Radio("Radboth")->click();
        QCOMPARE(settings.scope, QuickSearchScope::BothWindows);
        rig.Radio("RadOnly")->click();
        QCOMPARE(settings.scope, QuickSearchScope::OnlyThisWindow);
        QVERIFY(!rig.Radio("Radboth")->isChecked());
        rig.Radio("RadSearchOnly")->click();
        QCOMPARE(settings.mode, QuickSearchMode::SearchOnly);
        QVERIFY(rig.Radio("RadOnly")->isChecked());  // the two groups are independent
        rig.Radio("RadSearchSkip")->click();
        rig.Radio("RadIgnore")->click();
        QCOMPARE(settings.mode, QuickSearchMode::Bypass);
        QCOMPARE(settings.scope, QuickSearchScope::Ignore);
        QVERIFY(!std::filesystem::exists(rig.SettingsPath()));  // nothing saved yet
    }

    void keepsExactlyOneBoxOfEachPairTicked() {
        QuickSearchRig rig;
        const std::pair<const char*, const char*> pairs[] = {{"ChkExact", "ChkExactIgnore"},
                                                             {"ChkCase", "ChkCaseIgnore"}};
        for (const auto& [first, second] : pairs) {
            QCheckBox* a = rig.Box(first);
            QCheckBox* b = rig.Box(second);
            for (QCheckBox* clicked : {a, a, b, b}) {  // ticking and clearing each in turn
                const bool wasChecked = clicked->isChecked();
                clicked->click();
                QCOMPARE(clicked->isChecked(), !wasChecked);
                QVERIFY2(a->isChecked() != b->isChecked(), first);
            }
        }
        rig.Box("ChkExactIgnore")->click();
        rig.Box("ChkCase")->click();
        Control<QLineEdit>(rig.Window(), "EdFileName")->setText(QString::fromUtf8(" Kälte.txt "));
        const NameQuery query = rig.window->QueryOfWindow();
        QCOMPARE(query.text, std::string(" K\xC3\xA4lte.txt "));
        QVERIFY(!query.exact && query.matchCase);
    }

    void addsThePickedFolderToItsList() {
        QuickSearchRig rig;
        rig.Pick("t:\\first");
        rig.Pick("t:\\second");
        Click(rig.Window(), "CmdOnlyAdd");
        Click(rig.Window(), "CmdOnlyAdd");
        QCOMPARE(Texts(rig.session.quickSearch.window.onlyFolders),
                 QStringList({"t:\\first", "t:\\second"}));
        QCOMPARE(Texts(rig.List("ListOnly")), QStringList({"t:\\first", "t:\\second"}));
        QCOMPARE(rig.List("ListOnly")->currentRow(), 0);
        QVERIFY(rig.session.quickSearch.window.skipFolders.empty());
        QCOMPARE(rig.titles, std::vector<std::string>(2, std::string(kFolderPickerTitle)));
        const Messages added = {{MessageKind::Plain, std::string(kFolderAddedMessage)}};
        QCOMPARE(rig.prompts.Take(), Messages({added[0], added[0]}));

        rig.Pick("t:\\bypassed");
        Click(rig.Window(), "CmdSkipAdd");
        QCOMPARE(Texts(rig.List("ListSkip")), QStringList({"t:\\bypassed"}));
        QCOMPARE(rig.List("ListSkip")->currentRow(), 0);
        QCOMPARE(rig.prompts.Take(), added);

        rig.Pick("");  // cancelled
        Click(rig.Window(), "CmdSkipAdd");
        QCOMPARE(Texts(rig.session.quickSearch.window.skipFolders), QStringList({"t:\\bypassed"}));
        QCOMPARE(Texts(rig.List("ListSkip")), QStringList({"t:\\bypassed"}));
        QCOMPARE(rig.prompts.Take(),
                 Messages({{MessageKind::Plain, std::string(kNoFolderChosenMessage)}}));
        QVERIFY(!std::filesystem::exists(rig.SettingsPath()));  // adding saves nothing
    }

    void toolkitPickerAnswersTheChosenFolderInDriveForm() {
        QuickSearchRig rig;
        TFrmDiskCheck window(rig.session, rig.prompts);  // with the toolkit's folder dialog
        const auto choose = [&](const std::filesystem::path& folder) {
            WithNextModal([folder](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                if (!dialog || dialog->windowTitle() != "First, select a folder" ||
                    dialog->fileMode() != QFileDialog::Directory)
                    return;  // closing it cancels: the test sees nothing added
                dialog->setDirectory(QString::fromStdString(folder.string()));
                static_cast<QDialog*>(dialog)->accept();  // as its Choose button does
            });
            Click(window, "CmdSkipAdd");
        };
        choose(rig.tree.AddFolder("drive/Sub Folder"));
        QCOMPARE(Texts(rig.session.quickSearch.window.skipFolders),
                 QStringList({"t:\\Sub Folder"}));
        choose(rig.tree.AddFolder("elsewhere"));  // on no drive: as if cancelled
        QCOMPARE(rig.session.quickSearch.window.skipFolders.size(), std::size_t(1));
        QCOMPARE(rig.prompts.Take(),
                 Messages({{MessageKind::Plain, std::string(kFolderAddedMessage)},
                           {MessageKind::Plain, std::string(kNoFolderChosenMessage)}}));
    }

    void toolkitPickerOpensAtHomeThenAtTheFolderLastChosen() {
        QuickSearchRig rig;
        TFrmDiskCheck window(rig.session, rig.prompts);
        const std::filesystem::path chosen = rig.tree.AddFolder("drive/Chosen");
        QString opensAt;
        const auto pick = [&](const std::filesystem::path& folder) {
            WithNextModal([&, folder](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                if (!dialog) return;
                opensAt = dialog->directory().absolutePath();
                dialog->setDirectory(QString::fromStdString(folder.string()));
                static_cast<QDialog*>(dialog)->accept();
            });
            Click(window, "CmdOnlyAdd");
        };
        QDir::setCurrent(QString::fromStdString(rig.tree.AddFolder("deep/system").string()));
        pick(chosen);
        QCOMPARE(opensAt, QDir::homePath());
        pick(chosen);
        QCOMPARE(opensAt, QString::fromStdString(chosen.string()));
        QDir::setCurrent("/");
    }

    void refusesAFolderBeyondTheFullList() {
        QuickSearchRig rig;
        std::vector<std::string>& skip = rig.session.quickSearch.window.skipFolders;
        for (std::size_t n = 1; n <= kMaxFoldersPerList; ++n)
            skip.push_back("t:\\f" + std::to_string(n));
        rig.Pick("t:\\one too many");
        int shown = 0;
        WithNextModal([&](QWidget* modal) {
            shown = Control<QListWidget>(*modal, "ListSkip")->count();
            Click(*modal, "CmdSkipAdd");
        });
        rig.window->ShowQuickSearchWindow();
        QCOMPARE(shown, int(kMaxFoldersPerList));
        QCOMPARE(skip.size(), kMaxFoldersPerList);
        QCOMPARE(rig.List("ListSkip")->count(), int(kMaxFoldersPerList));
        QVERIFY(rig.List("ListSkip")->findItems("t:\\one too many", Qt::MatchExactly).isEmpty());
        const Messages messages = rig.prompts.Take();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].first, MessageKind::Warning);
        QVERIFY(messages[0].second != kFolderAddedMessage);
    }

    void removesTheSelectedFolderWithoutAWord() {
        QuickSearchRig rig("[Only]\nF1=t:\\a\nF2=t:\\b\nF3=t:\\c\n");
        QListWidget* list = rig.List("ListOnly");
        list->setCurrentRow(1);
        Click(rig.Window(), "CmdOnlyRemove");
        QCOMPARE(Texts(rig.session.quickSearch.window.onlyFolders),
                 QStringList({"t:\\a", "t:\\c"}));
        QCOMPARE(Texts(list), QStringList({"t:\\a", "t:\\c"}));
        QCOMPARE(list->currentRow(), 0);

        list->clearSelection();  // nothing selected: nothing removed
        Click(rig.Window(), "CmdOnlyRemove");
        QCOMPARE(Texts(list), QStringList({"t:\\a", "t:\\c"}));

        Click(rig.Window(), "CmdSkipRemove");  // an empty list stays empty
        QCOMPARE(rig.List("ListSkip")->count(), 0);
        QVERIFY(rig.prompts.messages.empty());
        QCOMPARE(test::ReadWholeFile(rig.SettingsPath()),
                 std::string("[Only]\nF1=t:\\a\nF2=t:\\b\nF3=t:\\c\n"));  // nor saved
    }

    void okSavesTheSettingsAndCloses() {
        QuickSearchRig rig("[Skip]\nF1=t:\\old\n");
        rig.Pick("t:\\only");
        bool closedAtOnce = false;
        WithNextModal([&](QWidget* modal) {
            Click(*modal, "CmdOnlyAdd");
            Click(*modal, "CmdSkipRemove");
            Control<QRadioButton>(*modal, "Radboth")->click();
            Control<QRadioButton>(*modal, "RadSearchOnly")->click();
            Click(*modal, "BitBtn2");
            closedAtOnce = !modal->isVisible();
        });
        rig.window->ShowQuickSearchWindow();
        QVERIFY(closedAtOnce);
        QCOMPARE(rig.window->result(), int(QDialog::Accepted));
        const QuickSearchSettings saved = rig.Saved();
        QCOMPARE(Texts(saved.onlyFolders), QStringList({"t:\\only"}));
        QVERIFY(saved.skipFolders.empty());
        QCOMPARE(saved.scope, QuickSearchScope::BothWindows);
        QCOMPARE(saved.mode, QuickSearchMode::SearchOnly);
        QVERIFY(!rig.session.quickSearch.DiskSearchRequested);
    }

    void hiddenSaveButtonSavesWithoutClosing() {
        QuickSearchRig rig;
        rig.Radio("Radboth")->click();
        Click(rig.Window(), "CmdSave");
        QCOMPARE(rig.Saved().scope, QuickSearchScope::BothWindows);
    }

    void failedSaveShowsTheErrorAndKeepsTheWindowOpen() {
        QuickSearchRig rig;
        std::filesystem::create_directory(rig.SettingsPath());  // no file can replace a folder
        bool openAfterOk = false, openAfterSearch = false;
        WithNextModal([&](QWidget* modal) {
            Click(*modal, "BitBtn2");
            openAfterOk = modal->isVisible();
            Control<QLineEdit>(*modal, "EdFileName")->setText("word");
            Click(*modal, "BitBtn1");
            openAfterSearch = modal->isVisible();
        });
        rig.window->ShowQuickSearchWindow();
        QVERIFY(openAfterOk);
        QVERIFY(openAfterSearch);
        QVERIFY(!rig.session.quickSearch.DiskSearchRequested);
        const Messages failed = {{MessageKind::Error, kUnableToWrite.toStdString()}};
        QCOMPARE(rig.prompts.Take(), Messages({failed[0], failed[0]}));
    }

    void searchDiskNowNeedsANameAndSearchesForItAsTyped() {
        QuickSearchRig rig;
        bool openAfterBlanks = false, closedAfterWord = false;
        Messages afterBlanks;
        WithNextModal([&](QWidget* modal) {
            QLineEdit* name = Control<QLineEdit>(*modal, "EdFileName");
            name->setText(" \t  ");
            Click(*modal, "BitBtn1");
            openAfterBlanks = modal->isVisible();
            afterBlanks = rig.prompts.Take();
            Control<QRadioButton>(*modal, "RadOnly")->click();
            name->setText(" word ");
            Click(*modal, "BitBtn1");
            closedAfterWord = !modal->isVisible();
        });
        rig.window->ShowQuickSearchWindow();
        QVERIFY(openAfterBlanks);
        QCOMPARE(afterBlanks, Messages({{MessageKind::Plain, std::string(kNoNameMessage)}}));
        QVERIFY(closedAfterWord);
        QCOMPARE(rig.window->result(), int(QDialog::Accepted));
        QVERIFY(rig.session.quickSearch.DiskSearchRequested);
        QCOMPARE(rig.window->QueryOfWindow().text, std::string(" word "));
        QCOMPARE(rig.Saved().scope, QuickSearchScope::OnlyThisWindow);
        QVERIFY(rig.prompts.messages.empty());
    }

    void enterInTheNameBoxSearchesAndNowhereElseSavesOrSearches() {
        QuickSearchRig rig;
        bool openAfterEnterInList = false;
        WithNextModal([&](QWidget* modal) {
            QLineEdit* name = Control<QLineEdit>(*modal, "EdFileName");
            name->setText("report");
            QTest::keyClick(Control<QListWidget>(*modal, "ListOnly"), Qt::Key_Return);
            openAfterEnterInList = modal->isVisible();
            QTest::keyClick(name, Qt::Key_Return);
        });
        rig.window->ShowQuickSearchWindow();
        QVERIFY(openAfterEnterInList);
        QCOMPARE(rig.window->result(), int(QDialog::Accepted));
        QVERIFY(rig.session.quickSearch.DiskSearchRequested);
        QCOMPARE(rig.window->QueryOfWindow().text, std::string("report"));
    }

    void closingByTheTitleBarSavesNothingAndTheNextShowingReloadsOnlyTheLists() {
        QuickSearchRig rig("[Only]\nF1=t:\\kept\n");
        rig.Pick("t:\\unsaved");
        WithNextModal([&](QWidget* modal) {
            Click(*modal, "CmdOnlyAdd");
            Control<QRadioButton>(*modal, "Radboth")->click();
            Control<QCheckBox>(*modal, "ChkExactIgnore")->click();
            Control<QLineEdit>(*modal, "EdFileName")->setText("name");
            modal->close();
        });
        rig.window->ShowQuickSearchWindow();
        QCOMPARE(rig.window->result(), int(QDialog::Rejected));
        QCOMPARE(test::ReadWholeFile(rig.SettingsPath()), std::string("[Only]\nF1=t:\\kept\n"));
        QVERIFY(!rig.session.quickSearch.DiskSearchRequested);

        // As "Quick Search" opens it again: the lists come from the file once more.
        ReloadQuickSearchLists(rig.session);
        QStringList shownAgain;
        WithNextModal([&](QWidget* modal) {
            shownAgain = Texts(Control<QListWidget>(*modal, "ListOnly"));
        });
        rig.window->ShowQuickSearchWindow();
        QCOMPARE(shownAgain, QStringList({"t:\\kept"}));
        QVERIFY(rig.Radio("Radboth")->isChecked());
        QVERIFY(rig.Box("ChkExactIgnore")->isChecked());
        QCOMPARE(rig.window->QueryOfWindow().text, std::string("name"));
    }
};

VELLOMAR_QT_TEST(TFrmDiskCheckTest);

}  // namespace vellomar

#include "TFrmDiskCheckTest.moc"
