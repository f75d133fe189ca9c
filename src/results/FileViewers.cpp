#include "results/FileViewers.h"

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/Shell.h"
#include "results/FileDetails.h"
#include "run/EmptyListCheck.h"

namespace vellomar {
namespace {

// The argument that runs a screensaver full screen.
constexpr std::string_view kScreensaverShowArgument = "/S";

}  // namespace

void ViewCurrentFile(const Session& session, MessagePrompts& prompts) {
    if (!ListReadyForFileCommand(session.results, prompts)) return;
    const auto current = session.results.Current();
    if (!current) return;

    // Only the file listed, which another may have taken the place of, as
    // silently as a file that is gone.
    if (!ListedFileNow(session, *current)) return;
    // The file as found: a lower-cased entry may no longer name it exactly.
    const std::string_view path = session.results.FoundPath(*current);
    if (session.platform.ShellOpen(path, NameMatch::Exact) == kShellNoAssociation)
        prompts.ShowMessage(MessageKind::Warning,
                            "This is not a viewable file, or your system does not have a viewer "
                            "to allow you to view this type of file.");
}

void PreviewCurrentScreensaver(const Session& session, MessagePrompts& prompts) {
    if (!ListReadyForFileCommand(session.results, prompts)) return;
    const auto current = session.results.Current();
    if (!current) return;

    const std::string_view path = session.results.FoundPath(*current);
    if (!IsScreensaverPath(path)) {
        prompts.ShowMessage(MessageKind::Information,
                            "This file is not a screensaver and cannot be previewed with this "
                            "button. Screensavers have a file extenstion ending with \"SCR\". You "
                            "can also use the screensavers button below to retrieve all "
                            "screensavers on your system.");
        return;
    }
    // Another file in the listed one's place cannot be started, as a gone one cannot.
    if (!ListedFileNow(session, *current) ||
        !session.platform.StartProgram(path, NameMatch::Exact, kScreensaverShowArgument))
        prompts.ShowMessage(MessageKind::Information,
                            "This file is not a screensaver and cannot be previewed with this "
                            "button. Screensaver have an extenstion ending with \"SCR\".");
}

bool IsScreensaverPath(std::string_view path) {
    return ToAsciiUpper(ExtensionOf(path)) == ".SCR";
}

}  // namespace vellomar
