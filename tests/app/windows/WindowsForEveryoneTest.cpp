// Every window, for everyone: each control has a name a screen reader can
// announce (its caption, its own accessible name, or the label it is the buddy
// of), and each caption reads under a dark style too. The main window has its
// own cases in TFrmgarbTest.

#include <QtTest>
#include <memory>

#include "app/windows/TFrmMiscMsg.h"
#include "app/windows/TFrmstats.h"
#include "browsers/windows/TFrmscandrv.h"
#include "platform/Platform.h"
#include "quicksearch/windows/TFrmDiskCheck.h"
#include "results/GarbageBin.h"
#include "results/windows/TFrmbin.h"
#include "results/windows/TFrmSortWindow.h"
#include "results/windows/TFrmdetail.h"
#include "run/Session.h"
#include "scan/windows/TFrmclean.h"
#include "scan/windows/TFrminfo.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/windows/QtTestRegistry.h"
#include "support/windows/UnnamedControls.h"
#include "support/windows/UnreadableCaptions.h"

namespace vellomar {
namespace {

class SilentPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind, std::string_view) override {}
};

struct SessionRig {
    SessionRig() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
    }
    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    SilentPrompts prompts;
};

}  // namespace

class WindowsForEveryoneTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlOfTheSmallerWindowsIsNamed() {
        SessionRig rig;
        GarbageBin bin(*rig.platform, rig.session.dataFolder.DataFolderPath);
        std::int32_t cleaned = 0;
        double reclaimed = 0;
        TFrmbin binWindow(bin, cleaned, reclaimed);
        TFrmDiskCheck quickSearch(rig.session, rig.prompts,
                                  [](std::string_view) { return std::string(); });
        TFrmscandrv scanDrive(rig.session, rig.prompts);
        TFrmdetail details;
        TFrmstats statistics(StatisticsLines{});
        TFrmMiscMsg notice;
        TFrmclean summary;
        TFrminfo information;
        QStringList unnamed;
        for (QWidget* window : std::initializer_list<QWidget*>{
                 &binWindow, &quickSearch, &scanDrive, &details, &statistics, &notice, &summary,
                 &information})
            for (const QString& control : test::UnnamedControls(*window))
                unnamed << window->objectName() + ": " + control;
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void everyCaptionOfTheSmallerWindowsReadsUnderADarkStyle() {
        test::DarkPalette dark;
        SessionRig rig;
        TFrmDiskCheck quickSearch(rig.session, rig.prompts,
                                  [](std::string_view) { return std::string(); });
        TFrmscandrv scanDrive(rig.session, rig.prompts);
        TFrmMiscMsg notice;
        TFrmSortWindow sortNotice;
        TFrmdetail details;
        QStringList unreadable;
        for (QWidget* window : std::initializer_list<QWidget*>{&quickSearch, &scanDrive, &notice,
                                                               &sortNotice, &details})
            for (const QString& caption : test::UnreadableCaptions(*window))
                unreadable << window->objectName() + ": " + caption;
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(", ")));
    }
};

VELLOMAR_QT_TEST(WindowsForEveryoneTest);

}  // namespace vellomar

#include "WindowsForEveryoneTest.moc"
