#include "browsers/InternetCommands.h"

#include <unordered_set>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/Folder.h"
#include "platform/UrlCache.h"
#include "results/FileDetails.h"
#include "scan/Categories.h"
#include "scan/ScanLifecycle.h"
#include "scan/WalkFolder.h"

namespace vellomar {
namespace {

constexpr InternetCommandTexts kAllInternetFiles{
    "Cweb",
    "Everytime you browse an internet site, the webpages and graphics are stored on your "
    "computer. This button will allow you to reclaim all this extra space, and will remove all "
    "these stored webpages. This will find and remove all of them, including Firefox, Internet "
    "Explorer, and AOL pages. You can view each of these if you choose, or you can remove and "
    "cleanup all of them without viewing.",
    "(Selecting a drive has no effect on where the stored webpages are found. This will find "
    "your cached webpages for IE, Firefox, or AOL, regardless whether it is stored on multiple "
    "drives or a drive which is not selected."};
constexpr InternetCommandTexts kInternetPicsOnly{
    "Cpic",
    "Everytime you browse an internet site, the webpages and graphics/pictures are stored on your "
    "computer. This button will allow you to reclaim all this extra space, and will remove all "
    "these stored graphics/pictures. This will find and remove all of them, including Firefox, "
    "Internet Explorer, and AOL pictures. You can view each of these if you choose, or you can "
    "remove and cleanup all of them without viewing.",
    "(Selecting a drive has no effect on where the stored webpage pictures are found. This will "
    "find your cached webpage pictures/graphics  for IE, Firefox, or AOL, regardless whether it "
    "is stored on multiple drives or a drive which is not selected."};
constexpr InternetCommandTexts kFetchAll{
    "Fall",
    "This button will allow you to search and find various leftover garbage files and 0 byte "
    "files, along with old webpages and old graphics/pictures which you have previously viewed "
    "on the web. These files can consume a large amount of valuable hard drive space. This "
    "option will allow you to safely remove all these files. ",
    ""};

void AddPicture(ScanState& scan, double size) {
    scan.InternetPicBytes += size;
    ++scan.InternetPicCount;
}

std::optional<EntryInfo> LookedUp(const FileSystem& files, std::string_view path) {
    const std::optional<FoundEntry> found = files.Find(path, NameMatch::Exact);
    return found ? std::optional<EntryInfo>(found->info) : std::nullopt;
}

void AddInternetFile(ScanState& scan, double size) {
    scan.InternetBytes += size;
    ++scan.InternetCount;
}

// A stored folder text may end with '\': its entries are joined without doubling it.
std::string WithoutTrailingSeparator(std::string folder) {
    while (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
    return folder;
}

void ListCacheFolder(Session& session, const std::string& folderText, CacheFolderPass pass) {
    // Entries are named by the folder's names as stored, so that each one
    // names its file exactly.
    const WrittenFolder written = session.platform.Files().OpenWrittenFolder(folderText);
    const Folder& folder = written.folder;
    const std::string& folderPath = written.path;
    if (!folder) return;
    ScanState& scan = session.scan;
    // A stored folder text may name a folder of the system's: what it owns is not listed.
    const SystemPlace place = session.platform.Files().SystemPlaceOf(folderPath);
    FolderListing listing(folder);
    while (auto entry = listing.Next()) {
        if (IsDotEntry(entry->name) || entry->kind == EntryKind::Other) continue;
        if (place.Owns(entry->name)) continue;
        const std::string path = JoinDrivePath(folderPath, entry->name);
        const bool picture = IsPictureFile(path);
        if (pass == CacheFolderPass::Pictures && !picture) continue;
        // A folder's own size frees nothing: folders count as empty, as their listing reports them.
        const std::optional<EntryInfo> info = folder.LookUp(entry->name);
        if (!info || !scan.ageGuard.Admits(info)) continue;
        const double size = static_cast<double>(info->size);
        // A picture is listed once, by the pictures pass, and so brings its bytes
        // to the list once; the counters count it in both passes.
        if (pass != CacheFolderPass::EveryEntryAfterPictures || !picture) {
            session.results.Append(path, ListedAs(*info));
            scan.ScanBytes += size;
        }
        if (pass == CacheFolderPass::Pictures) AddPicture(scan, size);
        else AddInternetFile(scan, size);
    }
}

}  // namespace

void ListUrlCache(Session& session) {
    const FileSystem& files = session.platform.Files();
    ScanState& scan = session.scan;
    const bool picturesOnly = session.browserCaches.InternetPicsOnly;
    session.platform.BrowserCache().ForEachEntry([&](const CachedCopy& copy) {
        const std::string& localFile = copy.localFile;
        const std::optional<EntryInfo> info = LookedUp(files, localFile);
        if (!info || info->kind == EntryKind::Folder || files.OwnedBySystem(localFile)) return;
        if (!scan.ageGuard.Admits(info)) return;
        // The local name is a hash: what was fetched tells a picture.
        const bool picture = IsFetchedPicture(copy.fetchedAs.name, copy.fetchedAs.mediaType);
        if (picturesOnly && !picture) return;
        const double size = static_cast<double>(FileSize64(files, localFile));
        session.results.Append(localFile, ListedAs(*info));
        scan.ScanBytes += size;
        if (picture) AddPicture(scan, size);
        if (!picturesOnly) AddInternetFile(scan, size);
    });
}

void ListCacheFolders(Session& session, CacheFolderPass pass) {
    const CacheFolderList& folders = session.browserCaches.cacheFolders;
    // The list keeps "t:\cache" and "t:\cache\" apart, yet both name one folder:
    // its files are listed once, or the cleanup would find them gone the second time.
    std::unordered_set<std::string> listed;
    for (std::size_t index = 0; index < folders.Count(); ++index) {
        const std::string folderPath = WithoutTrailingSeparator(folders[index]);
        if (listed.insert(ToAsciiUpper(folderPath)).second) ListCacheFolder(session, folderPath, pass);
    }
}

const InternetCommandTexts& TextsOf(InternetCommand command) {
    switch (command) {
        case InternetCommand::AllInternetFiles: return kAllInternetFiles;
        case InternetCommand::InternetPicsOnly: return kInternetPicsOnly;
        case InternetCommand::FetchAll: return kFetchAll;
    }
    return kAllInternetFiles;
}

void RunInternetCommand(SearchContext& context, InternetCommand command, char driveLetter) {
    Session& session = context.session;
    ScanState& scan = session.scan;
    const InternetCommandTexts& texts = TextsOf(command);
    try {
        ShowCommandInfo(context, texts.infoKey, texts.infoText, texts.infoAdvice);
    } catch (const IniWriteError& error) {
        context.prompts.ShowMessage(MessageKind::Error, error.what());  // the command ends there
        return;
    }
    ResetScan(context);
    session.browserCaches.InternetPicsOnly = command == InternetCommand::InternetPicsOnly;
    ListUrlCache(session);
    ListCacheFolders(session, CacheFolderPass::Pictures);
    if (command != InternetCommand::InternetPicsOnly)
        ListCacheFolders(session, CacheFolderPass::EveryEntryAfterPictures);
    if (command == InternetCommand::FetchAll) {
        scan.FindZeroByte = true;
        scan.FindGarbage = true;
        WalkFolder(session, context.view, *context.admissionForWalk(), DriveRootPath(driveLetter));
    }
    FinishScan(context);

    context.view.ShowEntryCount(session.results.Count());
    switch (command) {
        case InternetCommand::AllInternetFiles: context.view.ShowByteTotal(scan.InternetBytes); break;
        case InternetCommand::InternetPicsOnly: context.view.ShowByteTotal(scan.InternetPicBytes); break;
        case InternetCommand::FetchAll:
            context.view.ShowByteTotal(scan.InternetBytes + scan.GarbageBytes);
            break;
    }
    context.view.FitListWidth();
}

}  // namespace vellomar
