#pragma once
// The Quick Search settings at work: applying qsearch.ini to the walks, the
// two status lines of the main window, and what the Quick Search window's
// buttons do to its working copy of the settings.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The main window's two Quick Search lines and their colour.
struct QuickSearchStatus {
    std::string_view line1;  // LblQuickSearch
    std::string_view line2;  // LblQuickSearch2
    bool on;                 // green when on, maroon when off
};

class QuickSearchStatusView {
public:
    virtual ~QuickSearchStatusView() = default;
    virtual void ShowQuickSearchStatus(const QuickSearchStatus& status) = 0;
};

// Sets QuickSearchOn and QuickSearchOnlyMode from qsearch.ini; a missing file
// is created instead and the flags keep their values. Throws IniWriteError.
void ApplyQuickSearchSettings(Session& session);
QuickSearchStatus QuickSearchStatusOf(const QuickSearchState& state);
void ShowQuickSearchStatus(const Session& session, QuickSearchStatusView& view);

// The window as it is made: both lists, the scope and the mode from the file.
void LoadQuickSearchWindow(Session& session);
// Both lists from the file again, before each showing of the window; the
// scope and the mode stay as the window has them.
void ReloadQuickSearchLists(Session& session);

inline constexpr std::string_view kFolderPickerTitle = "First, select a folder";
inline constexpr std::string_view kFolderAddedMessage = "Folder successfully added to your list.";
inline constexpr std::string_view kNoFolderChosenMessage =
    "You did not choose a folder. Nothing was added to your list.";
inline constexpr std::string_view kNoNameMessage =
    "You did not enter an file name or partial file name in the box. Click cancel if you do not "
    "wish to search your computer, otherwise enter something then click search again. For "
    "example, you can enter test to find all files that have the words test as part of the file "
    "name, or enter test.txt to find all files and locations on your pc containing files named "
    "test.txt.";

// "Add Folder": the picked folder (empty when none was chosen) appended to the
// list, a drive root with its '\', with the message that says what happened.
// A full list refuses it.
void AddFolder(std::vector<std::string>& list, std::string pickedFolder, MessagePrompts& prompts);
// "Remove Folder": the selected entry, if any, taken out.
void RemoveFolder(std::vector<std::string>& list, std::size_t selected);

// CmdSaveClick ("Ok" and "Search Disk Now" save): the window's settings
// written to qsearch.ini; a failed write is shown and false returned, and the
// window then stays open.
bool SaveQuickSearchWindow(const Session& session, MessagePrompts& prompts);
// "Search Disk Now": refuses a name box that holds nothing but blanks and
// control characters; otherwise saves and, when the save succeeded, asks for
// the search. True when the window may close.
bool QuickSearchSearchDiskNow(Session& session, std::string_view nameBoxText,
                              MessagePrompts& prompts);

}  // namespace vellomar
