#include "quicksearch/NeverListFolder.h"

#include <string>

#include "platform/DrivePath.h"
#include "quicksearch/FolderAdmission.h"
#include "quicksearch/QuickSearchFile.h"

namespace vellomar {
namespace {

constexpr std::string_view kRootRefusedMessage =
    "A file in a drive's root folder cannot be kept out of the list: bypassing the root would "
    "keep every search out of the whole drive.";
constexpr std::string_view kAlreadyBypassedMessage =
    "This folder is already on your BYPASS list. Quick Search now bypasses it in every search.";

}  // namespace

void NeverListFolderOf(Session& session, std::string_view entryPath, MessagePrompts& prompts,
                       QuickSearchStatusView& view) {
    std::string_view folder = FolderPartWithSeparator(entryPath);
    if (!folder.empty()) folder.remove_suffix(1);  // as the walks write it
    if (folder.size() <= 2) {
        prompts.ShowMessage(MessageKind::Warning, kRootRefusedMessage);
        return;
    }
    const IniFile file = session.platform.Ini(session.dataFolder.QuickSearchPath);
    QuickSearchSettings settings = ReadQuickSearchSettings(file);
    settings.scope = QuickSearchScope::BothWindows;
    settings.mode = QuickSearchMode::Bypass;
    const bool alreadyListed = FolderListContains(settings.skipFolders, folder);
    if (!alreadyListed && !AppendFolder(settings.skipFolders, std::string(folder), prompts)) return;
    try {
        SaveQuickSearchSettings(file, settings);
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
        return;
    }
    session.quickSearch.window = std::move(settings);
    ApplyQuickSearchSettings(session);
    ShowQuickSearchStatus(session, view);
    prompts.ShowMessage(MessageKind::Plain,
                        alreadyListed ? kAlreadyBypassedMessage : kFolderAddedMessage);
}

}  // namespace vellomar
