#include "browsers/BrowserScan.h"

#include <optional>
#include <string>

#include "browsers/ScanLog.h"
#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/Folder.h"
#include "scan/TreeWalk.h"

namespace vellomar {
namespace {

class BrowserScan {
public:
    BrowserScan(const Session& session, BrowserScanView& view, MessagePrompts& prompts,
                std::optional<MountIdentity> mount)
        : session_(session), view_(view), prompts_(prompts), mount_(mount) {}

    // level: how many folders below the scan's start the folder lies.
    void List(const std::string& folderPath, const Folder& folder, int level) {
        folder.MakeCurrent();  // as the scan always has; a failure changes nothing
        FolderListing listing(folder);
        while (auto entry = listing.Next()) {
            if (IsDotEntry(entry->name)) continue;
            if (entry->kind == EntryKind::Folder)
                EnterSubfolder(folderPath, folder, entry->name, level + 1);
            else if (entry->kind == EntryKind::File) Examine(folderPath, folder, entry->name);
            view_.Pump();
        }
        view_.ShowScanFolder("");
    }

private:
    void EnterSubfolder(const std::string& folderPath, const Folder& folder, const char* name,
                        int level) {
        if (EqualsIgnoringAsciiCase(name, "CACHE") &&
            ToAsciiUpper(folderPath).find("\\MOZILLA\\FIREFOX") != std::string::npos)
            Log(folderPath, kProfileSection);
        view_.ShowScanFolder(folderPath);
        if (level > kDeepestWalkedLevel) return;  // as a search's walk passes it over
        Folder subfolder = folder.OpenSubfolder(name, Folder::Links::Refuse);
        if (!subfolder || subfolder.Mount() != mount_) return;  // stay on this drive
        List(JoinDrivePath(folderPath, name), subfolder, level);
    }

    void Examine(const std::string& folderPath, const Folder& folder, const char* name) {
        // Every file of the drive comes here: the names are compared in place.
        const bool prefs = EqualsIgnoringAsciiCase(name, "PREFS.JS");
        if (!prefs && !EqualsIgnoringAsciiCase(name, "LOCALSTORE.RDF")) return;
        if (!IsBrowserPath(folderPath)) return;
        auto info = folder.LookUp(name);
        if (!info || info->kind != EntryKind::File ||
            (info->attributes & (attribute::kReadOnly | attribute::kSystem)))
            return;
        Log(folderPath, prefs ? kProfileSection : kLocalStoreSection);
    }

    void Log(const std::string& folderPath, std::string_view section) {
        LogBrowserFolder(session_, folderPath + "\\", section, prompts_);
    }

    const Session& session_;
    BrowserScanView& view_;
    MessagePrompts& prompts_;
    const std::optional<MountIdentity> mount_;
};

}  // namespace

void ScanFolderForBrowsers(const Session& session, BrowserScanView& view,
                           MessagePrompts& prompts, std::string_view folderPath) {
    Folder folder = session.platform.Files().OpenFolder(folderPath, NameMatch::AnyCase);
    if (!folder) {
        view.ShowScanFolder("");
        return;
    }
    BrowserScan(session, view, prompts, folder.Mount()).List(std::string(folderPath), folder, 0);
}

void ScanDriveNow(const Session& session, BrowserScanView& view, MessagePrompts& prompts,
                  char driveLetter) {
    try {
        ScanFolderForBrowsers(session, view, prompts, DriveRootPath(driveLetter));
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
        return;
    }
    prompts.ShowMessage(MessageKind::Information, kScanCompletedMessage);
}

}  // namespace vellomar
