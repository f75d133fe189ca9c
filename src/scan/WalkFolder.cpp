#include "scan/WalkFolder.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/DrivePath.h"
#include "platform/FileSystem.h"
#include "platform/Folder.h"
#include "scan/Categories.h"
#include "scan/TreeWalk.h"

namespace vellomar {
namespace {

// A search by categories: each file that fits an active category is listed.
class CategoryWalk final : public TreeWalk {
public:
    CategoryWalk(Session& session, ScanView& view, const WalkAdmission& admission)
        : TreeWalk(session, view, admission),
          scan_(session.scan),
          results_(session.results),
          active_(ActiveCategories::Of(session.scan)) {}

private:
    bool PassesOverFolderNamed(std::string_view name) const override {
        return name == kGarbageBinFolderName;
    }

    // The zero-byte search looks every file up; the others only files they
    // may list by name, and files a removal cut short left aside.
    bool WantsLookUp(std::string_view name) const override {
        return active_.zeroByte || FitsAnyByName(ExtensionKey(name), name) ||
               name.starts_with(kAsidePrefix);
    }

    void VisitFile(const std::string& folderPath, const char* name,
                   const std::optional<EntryInfo>& info) override {
        if (!info || info->kind != EntryKind::File) return;
        // Back under its own name, it is found there by the next search; one
        // that cannot go back is taken as any file of its name.
        if (std::string_view(name).starts_with(kAsidePrefix) && PutBack(folderPath, name)) return;
        if (info->attributes & (attribute::kReadOnly | attribute::kSystem)) return;
        if (!scan_.ageGuard.Admits(info)) return;

        const std::string_view bareName(name);
        const std::string key = ExtensionKey(bareName);
        std::optional<std::string> entry;
        for (Category category : active_) {
            const bool fits = category == Category::ZeroByte
                                  ? info->size == 0
                                  : NameFitsCategory(category, key, bareName);
            if (!fits) continue;
            if (!entry) entry = JoinDrivePath(folderPath, bareName);
            Add(category, *entry, *info);
        }
    }

    bool PutBack(const std::string& folderPath, const char* asideName) const {
        const Folder folder = session_.platform.Files().EnterFolder(folderPath, NameMatch::Exact,
                                                                    Folder::Links::Refuse);
        return folder.PutAsideBack(asideName) == FileOutcome::Done;
    }

    bool FitsAnyByName(std::string_view key, std::string_view name) const {
        for (Category category : active_)
            if (NameFitsCategory(category, key, name)) return true;
        return false;
    }

    void Add(Category category, const std::string& entry, const EntryInfo& info) {
        const double size = static_cast<double>(info.size);
        results_.Append(entry, ListedAs(info));
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
    const ActiveCategories active_;
};

}  // namespace

void WalkFolder(Session& session, ScanView& view, const WalkAdmission& admission,
                std::string_view folderPath) {
    CategoryWalk(session, view, admission).Run(folderPath);
}

}  // namespace vellomar
