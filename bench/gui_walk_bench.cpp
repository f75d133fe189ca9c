// Times a search run through the main window, shown offscreen, on drive t: =
// a given folder: the walk with the window pumping its events as a person
// would see it. With --stop-after MS, Stop is pressed that long after the
// start and the time the walk took to end after it is printed too.
//
//   QT_QPA_PLATFORM=offscreen vellomar-walk-bench TREE garbage|zero [--stop-after MS]

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Session.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "scan/ScanPrompts.h"

namespace {

using Clock = std::chrono::steady_clock;

// Nobody to ask: no information window, no summary.
class SilentPrompts final : public vellomar::ScanPrompts {
public:
    bool ShowCommandInformation(std::string_view, std::string_view) override { return false; }
    void ShowCleanupSummary(const vellomar::CleanupSummary&) override {}
    void ShowMessage(vellomar::MessageKind, std::string_view) override {}
};

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: vellomar-walk-bench TREE garbage|zero [--stop-after MS]\n");
        return 2;
    }
    const std::string command = argv[2];
    const char* buttonName = command == "zero" ? "Cmdzero" : "Cmdgarb";
    const int stopAfterMs = argc == 5 ? std::atoi(argv[4]) : -1;

    vellomar::DriveTable drives;
    drives.Assign('t', argv[1]);
    vellomar::Platform platform(std::move(drives), vellomar::UserFolders::OfThisProcess());
    vellomar::Session session(platform);
    SilentPrompts prompts;
    vellomar::TFrmgarb window(session, prompts);
    window.show();
    auto* driveChooser = window.findChild<QComboBox*>("DriveComboBox1");
    driveChooser->setCurrentIndex(driveChooser->findText("t:", Qt::MatchStartsWith));
    QApplication::processEvents();

    const Clock::time_point start = Clock::now();
    Clock::time_point stopPressed;
    if (stopAfterMs >= 0) {
        QTimer::singleShot(stopAfterMs, [&] {
            stopPressed = start + std::chrono::milliseconds(stopAfterMs);
            window.findChild<QPushButton*>("cmdstop")->click();
        });
    }
    window.findChild<QPushButton*>(buttonName)->click();  // runs the whole search
    const Clock::time_point end = Clock::now();

    std::printf("walk %.4f s, %zu entries\n", SecondsBetween(start, end), session.results.Count());
    if (stopAfterMs >= 0) {
        if (stopPressed == Clock::time_point()) std::printf("stop: the walk ended first\n");
        else std::printf("stop %.4f s after it was due\n", SecondsBetween(stopPressed, end));
    }
    return 0;
}
