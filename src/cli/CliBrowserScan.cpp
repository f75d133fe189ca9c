#include "cli/CliBrowserScan.h"

#include "app/StartUp.h"
#include "browsers/BrowserScan.h"
#include "browsers/ScanLog.h"

namespace vellomar::cli {
namespace {

// Nobody watches the scan's progress line.
class SilentBrowserScanView final : public BrowserScanView {
public:
    void ShowScanFolder(std::string_view) override {}
    void Pump() override {}
};

}  // namespace

int ScanBrowsers(const Session& session, CliScanView& view, char driveLetter) {
    InitDataFolder(session, view);  // as the program's start makes it
    try {
        CreateEmptyScanLog(session);
    } catch (const IniWriteError& error) {
        view.ShowMessage(MessageKind::Error, error.what());
        return 1;
    }
    SilentBrowserScanView progress;
    ScanDriveNow(session, progress, view, driveLetter);
    return view.ErrorShown() ? 1 : 0;
}

}  // namespace vellomar::cli
