#include "support/DesktopStandIn.h"

#include <cstdlib>

#include "support/PosixProcesses.h"
#include "support/TempTree.h"

namespace vellomar::test {
namespace {

namespace fs = std::filesystem;

}  // namespace

DesktopStandIn::DesktopStandIn(fs::path bin) : bin_(std::move(bin)) {
    fs::create_directories(bin_);
    if (const char* path = std::getenv("PATH")) savedPath_ = path;
    setenv("PATH", bin_.c_str(), 1);
    SetApplicationKnown(true);
    SetOpener(0);
}

DesktopStandIn::~DesktopStandIn() { setenv("PATH", savedPath_.c_str(), 1); }

void DesktopStandIn::SetApplicationKnown(bool known) {
    WriteScript(bin_ / "xdg-mime",
                "case \"$1 $2\" in\n"
                "  'query filetype') echo 'application/x-test; charset=binary' ;;\n"
                "  'query default') " + std::string(known ? "echo viewer.desktop" : ":") + " ;;\n"
                "  *) exit 1 ;;\n"
                "esac");
}

void DesktopStandIn::SetOpener(int exitStatus, std::chrono::milliseconds runs) {
    const std::string record = (bin_ / "opened").string();
    WriteScript(bin_ / "xdg-open", "printf '%s\\n' \"$@\" > '" + record + ".part'\nmv '" + record +
                                       ".part' '" + record + "'\nsleep " +
                                       std::to_string(runs.count() / 1000.0) + "\nexit " +
                                       std::to_string(exitStatus));
}

void DesktopStandIn::Remove() {
    fs::remove(bin_ / "xdg-open");
    fs::remove(bin_ / "xdg-mime");
}

void DesktopStandIn::MakeOpenerUnrunnable() {
    fs::permissions(bin_ / "xdg-open", fs::perms::owner_read | fs::perms::owner_write);
}

std::string DesktopStandIn::Opened(std::chrono::milliseconds patience) const {
    return ReadOnceWritten(bin_ / "opened", patience);
}

void DesktopStandIn::ForgetOpened() const { fs::remove(bin_ / "opened"); }

}  // namespace vellomar::test
