#include "scan/WalkFolder.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "platform/DrivePath.h"
#include "platform/Folder.h"
#include "scan/Categories.h"

namespace vellomar {
namespace {

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

class Walk {
public:
    Walk(Session& session, ScanView& view, std::optional<std::uint64_t> device)
        : scan_(session.scan),
          results_(session.results),
          admission_(*session.folderAdmission),
          view_(view),
          active_(ActiveCategories::Of(session.scan)),
          device_(device) {}

    // Lists an admitted, opened folder.
    void List(const std::string& folderPath, const Folder& folder) {
        folder.MakeCurrent();  // as a walk always has; a failure changes nothing
        FolderListing listing(folder);
        auto entry = listing.Next();
        while (entry && scan_.ContinueScan) {
            Handle(folderPath, folder, *entry);
            entry = listing.Next();
            view_.Pump();
        }
    }

private:
    void Handle(const std::string& folderPath, const Folder& folder, const FolderEntry& entry) {
        if (IsDotEntry(entry.name)) return;
        switch (entry.kind) {
            case EntryKind::Folder: EnterSubfolder(folderPath, folder, entry.name); break;
            case EntryKind::File: Classify(folderPath, folder, entry.name); break;
            case EntryKind::Other: break;  // links and devices are system entries
        }
    }

    void EnterSubfolder(const std::string& folderPath, const Folder& folder, const char* name) {
        if (name == kGarbageBinFolderName) return;
        std::string path = JoinDrivePath(folderPath, name);
        view_.ShowStatus(path);
        if (!admission_.AdmitsFolder(path)) return;
        Folder subfolder = folder.OpenSubfolder(name, Folder::Links::Refuse);
        if (!subfolder || subfolder.Device() != device_) return;  // stay on this drive
        List(path, subfolder);
    }

    void Classify(const std::string& folderPath, const Folder& folder, const char* name) {
        const std::string_view bareName(name);
        const std::string key = ExtensionKey(bareName);
        // Look the file up only when it can be listed at all.
        if (!active_.zeroByte && !FitsAnyByName(key, bareName)) return;
        auto info = folder.LookUp(name);
        if (!info || info->kind != EntryKind::File) return;
        if (info->attributes & (attribute::kReadOnly | attribute::kSystem)) return;

        std::optional<std::string> entry;
        for (Category category : active_) {
            const bool fits = category == Category::ZeroByte
                                  ? info->size == 0
                                  : NameFitsCategory(category, key, bareName);
            if (!fits) continue;
            if (!entry) entry = JoinDrivePath(folderPath, bareName);
            Add(category, *entry, static_cast<double>(info->size));
        }
    }

    bool FitsAnyByName(std::string_view key, std::string_view name) const {
        for (Category category : active_)
            if (NameFitsCategory(category, key, name)) return true;
        return false;
    }

    void Add(Category category, const std::string& entry, double size) {
        results_.Append(entry);
        if (category == Category::ZeroByte) {
            ++scan_.ZeroByteCount;
            view_.ShowEntryCount(results_.Count());
            return;  // a zero-byte file adds to no byte total
        }
        view_.ShowEntryCount(results_.Count());
        if (category == Category::Garbage) {
            ++scan_.GarbageCount;
            scan_.GarbageBytes += size;
        }
        scan_.ScanBytes += size;
        view_.ShowByteTotal(scan_.ScanBytes);
    }

    ScanState& scan_;
    ResultList& results_;
    const FolderAdmission& admission_;
    ScanView& view_;
    const ActiveCategories active_;
    const std::optional<std::uint64_t> device_;
};

}  // namespace

void WalkFolder(Session& session, ScanView& view, std::string_view folderPath) {
    if (!session.folderAdmission->AdmitsFolder(folderPath)) return;
    Folder folder = session.platform.Files().OpenFolder(folderPath);
    if (!folder) return;
    Walk(session, view, folder.Device()).List(std::string(folderPath), folder);
}

}  // namespace vellomar
