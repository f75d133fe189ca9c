#include "quicksearch/NeverListFolder.h"

#include <algorithm>
#include <string>

#include "platform/AsciiCase.h"
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
constexpr std::string_view kTakenOffMessage =
    "This folder was taken off your SEARCH ONLY list: Quick Search no longer searches it.";
constexpr std::string_view kNotSearchedMessage =
    "This folder is not on your SEARCH ONLY list: Quick Search does not search it. Nothing was "
    "changed.";

std::string BroaderEntryMessage(std::string_view entry) {
    return "This folder is searched because your SEARCH ONLY list holds \"" + std::string(entry) +
           "\", which takes in other folders too. Nothing was changed: to stop listing this "
           "folder, remove or change that entry in Quick Search.";
}

// Saves the settings, and once they are stored, puts them in force and shows them.
bool SaveAndApply(Session& session, const IniFile& file, QuickSearchSettings settings,
                  MessagePrompts& prompts, QuickSearchStatusView& view) {
    try {
        SaveQuickSearchSettings(file, settings);
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
        return false;
    }
    session.quickSearch.window = std::move(settings);
    ApplyQuickSearchSettings(session);
    ShowQuickSearchStatus(session, view);
    return true;
}

// In SEARCH ONLY mode a BYPASS entry would do nothing, and switching the mode
// would search the whole drive: the folder can only be taken off the list, and
// only when the entries that take it in name it alone.
void TakeOffSearchOnlyList(Session& session, const IniFile& file, QuickSearchSettings settings,
                           std::string_view folder, MessagePrompts& prompts,
                           QuickSearchStatusView& view) {
    std::vector<std::string>& only = settings.onlyFolders;
    const auto takesIn = [&](const std::string& entry) {
        return FolderListContains({entry}, folder);
    };
    const auto broader = std::find_if(only.begin(), only.end(), [&](const std::string& entry) {
        return takesIn(entry) && !EqualsIgnoringAsciiCase(entry, folder);
    });
    if (broader != only.end()) {
        prompts.ShowMessage(MessageKind::Warning, BroaderEntryMessage(*broader));
        return;
    }
    if (std::erase_if(only, takesIn) == 0) {
        prompts.ShowMessage(MessageKind::Plain, kNotSearchedMessage);
        return;
    }
    if (SaveAndApply(session, file, std::move(settings), prompts, view))
        prompts.ShowMessage(MessageKind::Plain, kTakenOffMessage);
}

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
    if (settings.mode == QuickSearchMode::SearchOnly && settings.scope != QuickSearchScope::Ignore) {
        TakeOffSearchOnlyList(session, file, std::move(settings), folder, prompts, view);
        return;
    }
    // The filters were off or in BYPASS mode: bypassing the folder everywhere
    // only ever narrows a search.
    settings.scope = QuickSearchScope::BothWindows;
    settings.mode = QuickSearchMode::Bypass;
    const bool alreadyListed = FolderListContains(settings.skipFolders, folder);
    if (!alreadyListed && !AppendFolder(settings.skipFolders, std::string(folder), prompts)) return;
    if (SaveAndApply(session, file, std::move(settings), prompts, view))
        prompts.ShowMessage(MessageKind::Plain,
                            alreadyListed ? kAlreadyBypassedMessage : kFolderAddedMessage);
}

}  // namespace vellomar
