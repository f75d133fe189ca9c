#include "quicksearch/QuickSearchCommands.h"

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "quicksearch/QuickSearchFile.h"

namespace vellomar {
namespace {

IniFile QuickSearchFile(const Session& session) {
    return session.platform.Ini(session.dataFolder.QuickSearchPath);
}

std::string FullListMessage() {
    return "This list already holds " + std::to_string(kMaxFoldersPerList) +
           " folders, as many as it can keep. Remove a folder before you add another.";
}

}  // namespace

void ApplyQuickSearchSettings(Session& session) {
    const IniFile file = QuickSearchFile(session);
    QuickSearchState& state = session.quickSearch;
    if (!session.platform.Files().FileExists(session.dataFolder.QuickSearchPath,
                                             NameMatch::AnyCase)) {
        CreateQuickSearchFile(file);
        return;
    }
    const QuickSearchSettings stored = ReadQuickSearchSettings(file);
    switch (stored.scope) {
        case QuickSearchScope::BothWindows: state.QuickSearchOn = true; break;
        case QuickSearchScope::OnlyThisWindow: state.QuickSearchOn = state.DiskSearchRequested; break;
        case QuickSearchScope::Ignore: state.QuickSearchOn = false; break;
    }
    state.QuickSearchOnlyMode = stored.mode == QuickSearchMode::SearchOnly;
}

QuickSearchStatus QuickSearchStatusOf(const QuickSearchState& state) {
    if (!state.QuickSearchOn)
        return {"Quick search: OFF", "(Searching entire hard drive)", false};
    if (state.QuickSearchOnlyMode)
        return {"Quick search: ON", "(Searching only specified folders)", true};
    return {"Quick search: ON", "(Bypassing specified folders)", true};
}

void ShowQuickSearchStatus(const Session& session, QuickSearchStatusView& view) {
    view.ShowQuickSearchStatus(QuickSearchStatusOf(session.quickSearch));
}

void LoadQuickSearchWindow(Session& session) {
    session.quickSearch.window = ReadQuickSearchSettings(QuickSearchFile(session));
}

void ReloadQuickSearchLists(Session& session) {
    FolderLists lists = ReadFolderLists(QuickSearchFile(session));
    session.quickSearch.window.skipFolders = std::move(lists.skipFolders);
    session.quickSearch.window.onlyFolders = std::move(lists.onlyFolders);
}

void AddFolder(std::vector<std::string>& list, std::string pickedFolder, MessagePrompts& prompts) {
    if (pickedFolder.empty()) {
        prompts.ShowMessage(MessageKind::Plain, kNoFolderChosenMessage);
        return;
    }
    if (AppendFolder(list, std::move(pickedFolder), prompts))
        prompts.ShowMessage(MessageKind::Plain, kFolderAddedMessage);
}

bool AppendFolder(std::vector<std::string>& list, std::string folder, MessagePrompts& prompts) {
    // The file keeps the first 500 entries only: a 501st would be lost unseen.
    if (list.size() >= kMaxFoldersPerList) {
        prompts.ShowMessage(MessageKind::Warning, FullListMessage());
        return false;
    }
    // A drive root is kept as "t:\", as the desktop's picker names it: "t:"
    // would stand inside every path of the drive, the root's own included.
    if (folder.size() == 2) folder.push_back(kPathSeparator);
    list.push_back(std::move(folder));
    return true;
}

void RemoveFolder(std::vector<std::string>& list, std::size_t selected) {
    if (selected < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(selected));
}

bool SaveQuickSearchWindow(const Session& session, MessagePrompts& prompts) {
    try {
        SaveQuickSearchSettings(QuickSearchFile(session), session.quickSearch.window);
        return true;
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
        return false;
    }
}

bool QuickSearchSearchDiskNow(Session& session, std::string_view nameBoxText,
                              MessagePrompts& prompts) {
    if (TrimBlanksAndControls(nameBoxText).empty()) {
        prompts.ShowMessage(MessageKind::Plain, kNoNameMessage);
        return false;
    }
    if (!SaveQuickSearchWindow(session, prompts)) return false;
    session.quickSearch.DiskSearchRequested = true;
    return true;
}

}  // namespace vellomar
