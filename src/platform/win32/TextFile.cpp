#include "platform/TextFile.h"

#include "platform/Folder.h"
#include "platform/OpenedFile.h"
#include "platform/win32/SystemApi.h"

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
    return text.size() <= kMaxTextFileSize && !ReplaceFile(nativePath, text);
}

std::error_code ReplaceFile(const std::string& nativePath, std::string_view text) {
    const Place place = PlaceOf(nativePath);
    if (!place.folder) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (place.folder.ReplaceFile(place.name, text) == FileOutcome::Done) return {};
    // The system's reason where the failing call left one.
    const DWORD error = GetLastError();
    return error != 0 ? std::error_code(static_cast<int>(error), std::system_category())
                      : std::make_error_code(std::errc::io_error);
}

}  // namespace vellomar
