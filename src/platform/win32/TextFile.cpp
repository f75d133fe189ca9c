#include "platform/TextFile.h"

#include "platform/Folder.h"
#include "platform/OpenedFile.h"

namespace vellomar {
namespace {

struct Place {
    Folder folder;
    std::string name;
};

// The file's folder held open, and its name there.
Place PlaceOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    if (slash == std::string::npos) return {};
    return {Folder::OpenNative(nativePath.substr(0, slash)), nativePath.substr(slash + 1)};
}

}  // namespace

std::optional<TextFileState> ReadTextFile(const std::string& nativePath) {
    const Place place = PlaceOf(nativePath);
    const auto info = place.folder ? place.folder.LookUp(place.name) : std::nullopt;
    if (!info) return TextFileState{};  // missing
    if (info->kind != EntryKind::File) return std::nullopt;
    TextFileState state{{}, !(info->attributes & attribute::kReadOnly)};
    if (info->size > static_cast<std::int64_t>(kMaxTextFileSize)) return state;
    const OpenedFile file = place.folder.OpenFile(place.name);
    auto text = file ? file.Read(0, static_cast<std::size_t>(file.Size())) : std::nullopt;
    if (!text) return std::nullopt;
    state.text = std::move(*text);
    return state;
}

bool ReplaceTextFile(const std::string& nativePath, std::string_view text) {
    if (text.size() > kMaxTextFileSize) return false;
    const Place place = PlaceOf(nativePath);
    return place.folder && place.folder.ReplaceFile(place.name, text) == FileOutcome::Done;
}

}  // namespace vellomar
