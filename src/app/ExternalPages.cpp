#include "app/ExternalPages.h"

#include <string>
#include <string_view>

#include "platform/DrivePath.h"
#include "platform/Shell.h"

namespace vellomar {
namespace {

constexpr std::string_view kHelpMissing =
    "Error. Either your system does not have a default text viewer (for viewing the help "
    "text), or the text file was not found. Help.htm is the filename which should exist in "
    "the same directory as the Vellomar software.";
constexpr std::string_view kNoBrowser =
    "You cannot view this file because you do not have a default web browser setup. You can "
    "still view this file by opening your web browser and pointing to the file download.htm "
    "which is located in your install directory, or view online at";
constexpr std::string_view kMakerAddress = "https://vellomar.example/downloads";

int OpenProgramPage(const Platform& platform, std::string_view page) {
    return platform.ShellOpen(JoinDrivePath(platform.ProgramFolder(), page), NameMatch::AnyCase);
}

}  // namespace

void OpenHelpPage(const Platform& platform, MessagePrompts& prompts) {
    if (OpenProgramPage(platform, "Help.htm") == kShellFileNotFound)
        prompts.ShowMessage(MessageKind::Error, kHelpMissing);
}

void OpenDownloadsPage(const Platform& platform, MessagePrompts& prompts) {
    if (!ShellOpenFailed(OpenProgramPage(platform, "download.htm"))) return;
    std::string text(kNoBrowser);
    prompts.ShowMessage(MessageKind::Plain, text.append(" ").append(kMakerAddress));
}

}  // namespace vellomar
