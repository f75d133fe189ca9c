// Times "Scan Drive Now" in the Scan Drive window, shown offscreen, on drive
// t: = a given folder: the scan with the window handling its events as a
// person would see it. The scan log goes to the configuration folder of the
// environment (XDG_CONFIG_HOME).
//
//   QT_QPA_PLATFORM=offscreen vellomar-scan-drive-bench TREE

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <chrono>
#include <cstdio>

#include "app/StartUp.h"
#include "browsers/windows/TFrmscandrv.h"
#include "platform/Platform.h"
#include "run/Session.h"

namespace {

using Clock = std::chrono::steady_clock;

// Nobody reads the completion message.
class SilentPrompts final : public vellomar::MessagePrompts {
public:
    void ShowMessage(vellomar::MessageKind, std::string_view) override {}
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellomar-scan-drive-bench TREE\n");
        return 2;
    }
    vellomar::DriveTable drives;
    drives.Assign('c', "/");  // where the configuration folder lies
    drives.Assign('t', argv[1]);
    vellomar::Platform platform(std::move(drives), vellomar::UserFolders::OfThisProcess());
    vellomar::Session session(platform);
    SilentPrompts prompts;
    vellomar::InitDataFolder(session, prompts);
    vellomar::TFrmscandrv window(session, prompts);
    window.show();
    auto* driveChooser = window.findChild<QComboBox*>("DriveComboBox1");
    driveChooser->setCurrentIndex(driveChooser->findData(QChar('t')));
    QApplication::processEvents();

    const Clock::time_point start = Clock::now();
    window.findChild<QPushButton*>("BitBtn1")->click();  // runs the whole scan
    std::printf("scan %.4f s\n", std::chrono::duration<double>(Clock::now() - start).count());
    return 0;
}
