#include "app/StartUp.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "browsers/CacheFolderList.h"
#include "browsers/ScanLog.h"
#include "platform/IniDocument.h"

namespace vellomar {
namespace {

constexpr std::string_view kNoFolderWarning =
    "Could not create a folder as you do not have authority on your system. Please right "
    "click this software icon on your desktop, and choose the option to \"Run as Admin\" "
    "(only needs to be done one time), as you currently do not have authority to create a "
    "new folder.";

// Names the rest of the program stores there and never reads back.
constexpr std::string_view kStoredSection = "Stored";
constexpr int kStoredNameCount = 250;

// Every command's information window is shown again at each start.
constexpr std::string_view kInfoSection = "Info";
constexpr std::array<std::string_view, 16> kInfoKeys = {
    "Vid", "Pic", "Snd",  "Scr",  "Wp",   "Zip", "Wall",      "Ini",
    "Garb", "Zero", "Cweb", "Cpic", "Fall", "Log", "Bookmarks", "Tax",
};

constexpr std::string_view kSettingsKey = "Software\\Quorvat\\Settings";
constexpr std::string_view kNoticeValue = "VistaMsgVM";

// Binsettings.ini as writing its keys one by one would leave it: existing keys
// rewritten in place, new ones appended. All 266 keys go in one atomic
// replacement, because each separate write would sync and rename the whole file
// and make the start slow.
void RewriteInfoSwitches(const Session& session) {
    session.platform.Ini(session.dataFolder.InfoSwitchesPath).Rewrite([](std::string_view text) {
        IniDocument result{std::string(text)};
        for (int number = 1; number <= kStoredNameCount; ++number)
            result.SetValue(kStoredSection, "Name" + std::to_string(number), "Null");
        for (std::string_view key : kInfoKeys) result.SetValue(kInfoSection, key, "1");
        return result.Text();
    });
}

// Opens the settings key, creating it when missing. The notice is wanted while
// the stored value is non-zero, when the value was missing (it is then stored
// as 1) and when the key cannot be opened.
bool AdministratorNoticeWanted(const RegistryStore& registry) {
    if (!registry.KeyExists(kSettingsKey) && !registry.CreateKey(kSettingsKey)) return true;
    if (std::optional<std::int32_t> wanted = registry.ReadInteger(kSettingsKey, kNoticeValue))
        return *wanted != 0;
    registry.WriteInteger(kSettingsKey, kNoticeValue, 1);
    return true;
}

void ShowAdministratorNoticeWhenWanted(const RegistryStore& registry, StartUpPrompts& prompts) {
    if (!AdministratorNoticeWanted(registry)) return;
    // The notice closes whatever happens here; a failed write only brings it back next time.
    if (prompts.ShowAdministratorNotice()) registry.WriteInteger(kSettingsKey, kNoticeValue, 0);
}

}  // namespace

void InitDataFolder(const Session& session, MessagePrompts& prompts) {
    const FileSystem& files = session.platform.Files();
    const std::string& folder = session.dataFolder.DataFolderPath;
    // The folder is the program's own: it is used and made only through
    // links of this user's or root's, at every name of its path.
    const Folder existing = files.EnterFolder(folder, NameMatch::AnyCase, Folder::Links::FollowOwn);
    if (existing) return;
    if (existing.Failure() == FileOutcome::LinkInPath)
        prompts.ShowMessage(MessageKind::Warning,
                            "The data folder " + folder +
                                " is not used: a name on its path is a symbolic link that "
                                "another user owns. No setting is written there.");
    else if (!files.CreateFolder(folder))
        prompts.ShowMessage(MessageKind::Warning, kNoFolderWarning);
}

void RunStartUpSequence(Session& session, StartUpPrompts& prompts,
                        QuickSearchStatusView& statusView) {
    try {
        InitDataFolder(session, prompts);
        // The first start: no scan log yet.
        const FileSystem& files = session.platform.Files();
        if (!files.FileExists(session.dataFolder.ScanLogPath, NameMatch::AnyCase))
            prompts.ShowScanDriveWindow();
        ApplyQuickSearchSettings(session);
        ShowQuickSearchStatus(session, statusView);
        session.scan.ScanBytes = 0;
        // Read after the Scan Drive window, so that a first scan counts at once.
        BuildCacheFolderList(session.browserCaches.cacheFolders, session.platform.Registry(),
                             session.platform.Files(), ReadScanLog(session));
        session.cleanup = {};
        RewriteInfoSwitches(session);
        ShowAdministratorNoticeWhenWanted(session.platform.Registry(), prompts);
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
    }
}

}  // namespace vellomar
