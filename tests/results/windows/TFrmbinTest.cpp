// The garbage bin window, run offscreen over a bin on temporary drives.

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "platform/Platform.h"
#include "results/GarbageBin.h"
#include "results/windows/TFrmbin.h"
#include "results/windows/TFrmdetail.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/windows/FindControl.h"
#include "support/windows/QtTestRegistry.h"

namespace vellomar {
namespace {

using test::Control;

using test::WithNextModal;

QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

// A bin over temporary drives holding the files given by path and size.
struct FilledBin {
    explicit FilledBin(std::initializer_list<std::pair<const char*, std::size_t>> files)
        : platform(test::MakeTestPlatform(tree)), bin(*platform, "u:\\.config\\Velmo") {
        tree.AddFolder("home/.config/Velmo");
        for (auto [path, size] : files) {
            tree.AddFile(std::string("drive/") + path, size);
            bin.MoveIn(std::string("t:\\") + QString(path).replace('/', '\\').toStdString());
        }
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    GarbageBin bin;
    std::int32_t cleanedFileCount = 0;
    double reclaimedBytes = 0;
};

}  // namespace

class TFrmbinTest : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsAndTheButtonsHints() {
        FilledBin filled({});
        TFrmbin window(filled.bin, filled.cleanedFileCount, filled.reclaimedBytes);
        QCOMPARE(window.windowTitle(), QString("Trash Bin Empty or Restore"));
        QCOMPARE(Control<QLabel>(window, "Label1")->text(),
                 QString("Your \"Trash Bin\" files are listed below. If you would like to "
                         "restore any file to its original location, simply highlight the file "
                         "and click \"Restore\"."));
        const QStringList captions = {"Delete File", "Restore File", "Empty Entire Bin", "Ok"};
        const QStringList hints = {"Permanently delete highlighted file from the bin",
                                   "Restore the highlighted file back to the original location",
                                   "Permanently empty ALL files in the bin", ""};
        const char* names[] = {"CmdDelete", "CmdRestore", "CmdEmpty", "CmdOk"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(Control<QPushButton>(window, names[i])->text(), captions[i]);
            QCOMPARE(Control<QPushButton>(window, names[i])->toolTip(), hints[i]);
        }
    }

    void listsTheBinSortedWithTheLinesOfTheHighlightedFile() {
        FilledBin filled({{"b/Zeta.tmp", 5}, {"a/alpha.tmp", 3}});
        const std::vector<BinItem> items = filled.bin.Items();
        TFrmbin window(filled.bin, filled.cleanedFileCount, filled.reclaimedBytes);
        QStringList shown, firstLines, secondLines;
        WithNextModal([&](QWidget* modal) {
            auto lines = [&] {
                return QStringList{Control<QLabel>(*modal, "Lblcount")->text(),
                                   Control<QLabel>(*modal, "Lblsize")->text(),
                                   Control<QLabel>(*modal, "Lbldate")->text()};
            };
            QListWidget* list = Control<QListWidget>(*modal, "ListBin");
            shown = Texts(list);
            firstLines = lines();
            list->setCurrentRow(1);
            secondLines = lines();
            Control<QPushButton>(*modal, "CmdOk")->click();
        });
        window.ShowBin();
        QCOMPARE(shown, QStringList({"t:\\a\\alpha.tmp", "t:\\b\\Zeta.tmp"}));
        const QString movedOn =
            QString::fromStdString("File Date   = " + UserShortDate(FileTime::Of(items[0].moved)));
        QCOMPARE(firstLines, QStringList({"Files in bin = 2", "Byte Size   = 3", movedOn}));
        QCOMPARE(secondLines.at(1), QString("Byte Size   = 5"));
    }

    void restoresAndDeletesTheHighlightedFile() {
        FilledBin filled({{"a/x.tmp", 3}, {"b/y.tmp", 5}});
        TFrmbin window(filled.bin, filled.cleanedFileCount, filled.reclaimedBytes);
        QStringList afterRestore;
        QString countAfterDelete;
        bool noIsTheDefault = false;
        WithNextModal([&](QWidget* modal) {
            QListWidget* list = Control<QListWidget>(*modal, "ListBin");
            list->setCurrentRow(0);
            Control<QPushButton>(*modal, "CmdRestore")->click();
            afterRestore = Texts(list);

            WithNextModal([&](QWidget* question) {
                auto* box = qobject_cast<QMessageBox*>(question);
                if (!box) return;
                noIsTheDefault = box->defaultButton() == box->button(QMessageBox::No);
                box->button(QMessageBox::Yes)->click();
            });
            Control<QPushButton>(*modal, "CmdDelete")->click();
            countAfterDelete = Control<QLabel>(*modal, "Lblcount")->text();
            Control<QPushButton>(*modal, "CmdOk")->click();
        });
        window.ShowBin();
        QCOMPARE(afterRestore, QStringList({"t:\\b\\y.tmp"}));
        QVERIFY(std::filesystem::exists(filled.tree / "drive/a/x.tmp"));
        QVERIFY(noIsTheDefault);
        QCOMPARE(countAfterDelete, QString("Files in bin = 0"));
        QVERIFY(!std::filesystem::exists(filled.tree / "drive/b/y.tmp"));
        QVERIFY(filled.bin.Items().empty());
        QCOMPARE(filled.cleanedFileCount, 1);
        QCOMPARE(filled.reclaimedBytes, 5.0);
    }
};

VELLOMAR_QT_TEST(TFrmbinTest);

}  // namespace vellomar

#include "TFrmbinTest.moc"
