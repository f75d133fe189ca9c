#include "results/FileDetails.h"

#include "platform/DrivePath.h"
#include "platform/FolderTrail.h"
#include "platform/Shell.h"

namespace vellomar {
namespace {

// The desktop's shell takes folders of at most this many characters.
constexpr std::size_t kLongestExplorableFolder = 255;

}  // namespace

std::int64_t FileSize64(const FileSystem& files, std::string_view drivePath) {
    auto found = files.Find(drivePath, NameMatch::Exact);
    return found ? found->info.size : -1;
}

std::optional<EntryInfo> ListedFileNow(const Session& session, std::size_t row) {
    const ResultList& list = session.results;
    return session.platform.Files().Trail().StillListed(list.FoundPath(row), list.Listed(row));
}

std::string AttributeText(unsigned attributes) {
    const char* name = "Archive";
    switch (attributes) {
        case attribute::kReadOnly: name = "Read Only"; break;
        case attribute::kHidden: name = "Hidden"; break;
        case attribute::kSystem: name = "System"; break;
        case attribute::kVolumeLabel: name = "Volume ID"; break;
        case attribute::kDirectory: name = "Directory"; break;
    }
    return std::string("File Attribute: ") + name;
}

void ShowFileDetails(const Session& session, FileDetailsView& view, MessagePrompts& prompts,
                     const DateFormatter& formatDate) {
    const ResultList& list = session.results;
    const auto current = list.Current();
    if (!current) return;

    const std::optional<EntryInfo> found = ListedFileNow(session, *current);
    if (!found) {
        prompts.ShowMessage(MessageKind::Information,
                            "This file was not found. It appears to have been deleted.");
        return;
    }

    const std::string size = std::to_string(found->size);
    const std::string date = formatDate(found->modified);
    FileDetailLines lines;
    // Named exactly as found, which is how the file is stored.
    lines.name = "File Name: " + std::string(LastName(list.FoundPath(*current)));
    lines.location = "File Location: " + std::string(FolderPartWithSeparator(list.At(*current)));
    lines.size = "File Size: " + size;
    lines.changedOn = "File Last Changed On : " + date;
    lines.fileDate = "File Date   = " + date;
    lines.byteSize = "Byte Size   = " + size;
    lines.attribute = AttributeText(found->attributes);
    view.ShowFileDetailLines(lines);
}

void ExploreCurrentFolder(const Session& session, MessagePrompts& prompts) {
    const auto current = session.results.Current();
    if (!current) return;

    const std::string_view folder = FolderPartWithSeparator(session.results.FoundPath(*current));
    // A longer folder would reach the shell cut short, naming another folder or none.
    const bool opened = folder.size() <= kLongestExplorableFolder &&
                        !ShellOpenFailed(session.platform.ShellExplore(folder, NameMatch::Exact));
    if (!opened)
        prompts.ShowMessage(MessageKind::Warning, "This folder could not be opened in explorer.");
}

}  // namespace vellomar
