// Times a search run through the main window, shown offscreen, on drive t: =
// a given folder: the walk with the window pumping its events as a person
// would see it. With --stop-after MS, Stop is pressed that long after the
// start and the time the walk took to end after it is printed too.
// With --rows N, the list is handed N entries at once instead, as a search
// that found them would leave it, and then scrolled from end to end.
//
//   QT_QPA_PLATFORM=offscreen vellomar-walk-bench TREE garbage|zero [--stop-after MS]
//   QT_QPA_PLATFORM=offscreen vellomar-walk-bench --rows N

#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QScrollBar>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <optional>
#include <string>

#include "app/MainWindowPrompts.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "run/Session.h"

namespace {

using Clock = std::chrono::steady_clock;

// Nobody to ask: no information window, no summary, nothing deleted.
class SilentPrompts final : public vellomar::MainWindowPrompts {
public:
    bool ShowCommandInformation(std::string_view, std::string_view) override { return false; }
    void ShowCleanupSummary(const vellomar::CleanupSummary&) override {}
    void ShowMessage(vellomar::MessageKind, std::string_view) override {}
    bool ConfirmDeletion(std::string_view) override { return false; }
    bool Confirm(std::string_view) override { return false; }
    void ShowGarbageBin() override {}
    std::optional<std::string> AskListFilePath() override { return std::nullopt; }
    void ShowQuickSearchWindow() override {}
    vellomar::NameQuery QueryOfWindow() const override { return {}; }
};

double SecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The list's work for a million-entry result: filling the view, fitting its
// width, and scrolling it through.
int TimeLongList(std::size_t rows) {
    vellomar::DriveTable drives;
    vellomar::Platform platform(std::move(drives), vellomar::UserFolders::OfThisProcess());
    vellomar::Session session(platform);
    SilentPrompts prompts;
    vellomar::TFrmgarb window(session, prompts);
    window.show();
    for (std::size_t i = 0; i < rows; ++i)
        session.results.Append("c:\\home\\ann\\projects\\folder" + std::to_string(i % 997) +
                               "\\file" + std::to_string(i) + ".tmp",
                               {});

    const Clock::time_point start = Clock::now();
    window.SetFilledListState();
    window.FitListWidth();
    QApplication::processEvents();
    const Clock::time_point shown = Clock::now();
    auto* list = window.findChild<QListView*>("ListBox1");
    QScrollBar* scroll = list->verticalScrollBar();
    double slowestStep = 0;
    for (int step = 0; step <= 100; ++step) {  // a hundred jumps from top to bottom
        const Clock::time_point before = Clock::now();
        scroll->setValue(scroll->maximum() / 100 * step);
        list->repaint();
        slowestStep = std::max(slowestStep, SecondsBetween(before, Clock::now()));
    }
    std::printf("rows %zu: filled and fitted in %.4f s, slowest scroll step %.4f s\n", rows,
                SecondsBetween(start, shown), slowestStep);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--rows") return TimeLongList(std::stoul(argv[2]));
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
