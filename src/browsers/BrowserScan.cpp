#include "browsers/BrowserScan.h"

#include <cstdint>
#include <optional>
#include <string>

#include "browsers/ScanLog.h"
#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/Folder.h"

namespace vellomar {
namespace {

class BrowserScan {
public:
    BrowserScan(const Session& session, BrowserScanView& view, MessagePrompts& prompts,
                std::optional<std::uint64_t> device)
        : session_(session), view_(view), prompts_(prompts), device_(device) {}

    void List(const std::string& folderPath, const Folder& folder) {
        folder.MakeCurrent();  // as the scan always has; a failure changes nothing
        FolderListing listing(folder);
        while (auto entry = listing.Next()) {
            if (IsDotEntry(entry->name)) continue;
            if (entry->kind == EntryKind::Folder) EnterSubfolder(folderPath, folder, entry->name);
            else if (entry->kind == EntryKind::File) Examine(folderPath, folder, entry->name);
            view_.Pump();
        }
        view_.ShowScanFolder("");
    }

private:
    void EnterSubfolder(const std::string& folderPath, const Folder& folder, const char* name) {
        if (ToAsciiUpper(name) == "CACHE" &&
            ToAsciiUpper(folderPath).find("\\MOZILLA\\FIREFOX") != std::string::npos)
            Log(folderPath, kProfileSection);
        view_.ShowScanFolder(folderPath);
        Folder subfolder = folder.OpenSubfolder(name, Folder::Links::Refuse);
        if (!subfolder || subfolder.Device() != device_) return;  // stay on this drive
        List(JoinDrivePath(folderPath, name), subfolder);
    }

    void Examine(const std::string& folderPath, const Folder& folder, const char* name) {
        const std::string upperName = ToAsciiUpper(name);
        const bool prefs = upperName == "PREFS.JS";
        if (!prefs && upperName != "LOCALSTORE.RDF") return;
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
    const std::optional<std::uint64_t> device_;
};

}  // namespace

void ScanFolderForBrowsers(const Session& session, BrowserScanView& view,
                           MessagePrompts& prompts, std::string_view folderPath) {
    Folder folder = session.platform.Files().OpenFolder(folderPath);
    if (!folder) {
        view.ShowScanFolder("");
        return;
    }
    BrowserScan(session, view, prompts, folder.Device()).List(std::string(folderPath), folder);
}

void ScanDriveNow(const Session& session, BrowserScanView& view, MessagePrompts& prompts,
                  char driveLetter) {
    const char root[] = {AsciiLower(driveLetter), ':', '\0'};
    try {
        ScanFolderForBrowsers(session, view, prompts, root);
    } catch (const IniWriteError& error) {
        prompts.ShowMessage(MessageKind::Error, error.what());
        return;
    }
    prompts.ShowMessage(MessageKind::Information, kScanCompletedMessage);
}

}  // namespace vellomar
