#include "platform/TextFile.h"

#include "platform/Folder.h"
#include "platform/OpenedFile.h"
#include "platform/win32/EntryHandle.h"
#include "platform/win32/SystemApi.h"

namespace vellomar {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct Place {
    Folder folder;
    std::string name;
};

// The path of the file a path names. A symbolic link at its last name is
// followed when this user or the system owns it, as a user's own links to
// settings kept elsewhere are; nothing for one of another user's (any user may
// make a link in a folder he may write) or one that leads to no file.
std::optional<std::string> ThroughOwnLink(const std::string& nativePath) {
    const std::wstring path = SystemPath(nativePath);
    const OwnedHandle entry(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL,
                                        kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr));
    // A missing entry, or one that cannot be looked at, is told by the read or write itself.
    const auto info = entry ? InfoOf(entry.Get()) : std::nullopt;
    if (!info || !info->IsLink()) return nativePath;
    if (!OwnedByThisUserOrSystem(entry.Get(), true)) return std::nullopt;
    const OwnedHandle target(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const auto targetPath = target ? PathOf(target.Get()) : std::nullopt;
    if (!targetPath) return std::nullopt;
    return NativePathOf(*targetPath);
}

// The file's folder held open, and its name there; nothing for a link that
// may not be followed.
std::optional<Place> PlaceOf(const std::string& nativePath) {
    const std::optional<std::string> file = ThroughOwnLink(nativePath);
    if (!file) return std::nullopt;
    const std::size_t slash = file->rfind('/');
    if (slash == std::string::npos) return Place{};
    return Place{Folder::OpenNative(file->substr(0, slash)), file->substr(slash + 1)};
}

}  // namespace

std::optional<TextFileState> ReadTextFile(const std::string& nativePath) {
    const std::optional<Place> place = PlaceOf(nativePath);
    if (!place) return std::nullopt;
    const auto info = place->folder ? place->folder.LookUp(place->name) : std::nullopt;
    if (!info) return TextFileState{};  // missing
    if (info->kind != EntryKind::File) return std::nullopt;
    TextFileState state{{}, !(info->attributes & attribute::kReadOnly)};
    if (info->size > static_cast<std::int64_t>(kMaxTextFileSize)) return state;
    const OpenedFile file = place->folder.OpenFile(place->name);
    auto text = file ? file.Read(0, static_cast<std::size_t>(file.Size())) : std::nullopt;
    if (!text) return std::nullopt;
    state.text = std::move(*text);
    return state;
}

bool ReplaceTextFile(const std::string& nativePath, std::string_view text) {
    return text.size() <= kMaxTextFileSize && !ReplaceFile(nativePath, text);
}

std::error_code ReplaceFile(const std::string& nativePath, std::string_view text) {
    const std::optional<Place> place = PlaceOf(nativePath);
    if (!place) return std::make_error_code(std::errc::permission_denied);
    if (!place->folder) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (place->folder.ReplaceFile(place->name, text) == FileOutcome::Done) return {};
    // The system's reason where the failing call left one.
    const DWORD error = GetLastError();
    return error != 0 ? std::error_code(static_cast<int>(error), std::system_category())
                      : std::make_error_code(std::errc::io_error);
}

}  // namespace vellomar
