// Vellomar: finds unwanted files on the computer's drives and removes them.

#include <QApplication>
#include <optional>

#include "app/Session.h"
#include "app/StartUp.h"
#include "app/windows/QtStartUpPrompts.h"
#include "app/windows/TFrmgarb.h"
#include "platform/Platform.h"
#include "scan/windows/QtScanPrompts.h"

namespace vellomar {
namespace {

// The main window takes its searches' prompts when it is made, but their
// windows are made only after the start, so that the main window is the one
// window that exists while the start runs.
class ScanPromptsMadeLater final : public ScanPrompts {
public:
    void Make() { windows_.emplace(); }

    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override {
        return windows_->ShowCommandInformation(text1, text2);
    }
    void ShowCleanupSummary(const CleanupSummary& lines) override {
        windows_->ShowCleanupSummary(lines);
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        windows_->ShowMessage(kind, text);
    }

private:
    std::optional<QtScanPrompts> windows_;
};

}  // namespace
}  // namespace vellomar

int main(int argc, char** argv) {
    using namespace vellomar;
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vellomar");

    Platform platform(DriveTable::OfThisMachine(), UserFolders::OfThisProcess());
    Session session(platform);
    ScanPromptsMadeLater scanPrompts;
    TFrmgarb window(session, scanPrompts);
    QtStartUpPrompts startUpPrompts;
    RunStartUpSequence(session, startUpPrompts);
    scanPrompts.Make();
    window.show();
    return application.exec();  // nothing is stored at exit
}
