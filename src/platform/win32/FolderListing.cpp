#include "platform/win32/SystemApi.h"

#include <cstdint>
#include <string>

#include "platform/Folder.h"
#include "platform/win32/EntryHandle.h"

namespace vellomar {
namespace {

// Large enough for a few hundred entries per read, as a large fetch asks.
constexpr std::size_t kListingBufferSize = 64 * 1024;

}  // namespace

// Read straight from the folder's own handle, which keeps the place reached
// as a POSIX folder handle does: the folder listed is the one held open, never
// whatever its path names by now, and a listing can go on where another stopped.
struct FolderListing::State {
    HANDLE folder;
    bool restart;  // the first read starts from the top
    static constexpr std::size_t kAllHandedOut = SIZE_MAX;
    std::size_t next = kAllHandedOut;  // where the next entry of the last read lies
    std::string name;  // the entry handed out last, in UTF-8
    alignas(FILE_ID_BOTH_DIR_INFO) unsigned char buffer[kListingBufferSize];

    bool Refill() {
        const FILE_INFO_BY_HANDLE_CLASS kind =
            restart ? FileIdBothDirectoryRestartInfo : FileIdBothDirectoryInfo;
        restart = false;
        if (!GetFileInformationByHandleEx(folder, kind, buffer, sizeof buffer)) {
            folder = kNoHandle;  // the end, or an error, ends the listing
            return false;
        }
        next = 0;
        return true;
    }
};

FolderListing::FolderListing(const Folder& folder, From from) {
    if (!folder) return;
    state_ = std::make_unique_for_overwrite<State>();
    state_->folder = folder.handle_;
    state_->restart = from == From::Top && folder.listed_;
    folder.listed_ = true;
}

FolderListing::~FolderListing() = default;

std::optional<FolderEntry> FolderListing::Next() {
    if (!state_) return std::nullopt;
    State& state = *state_;
    while (state.folder != kNoHandle && (state.next != State::kAllHandedOut || state.Refill())) {
        const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(state.buffer + state.next);
        // Entries are chained by offsets; the last of a read has none.
        state.next = entry->NextEntryOffset ? state.next + entry->NextEntryOffset
                                            : State::kAllHandedOut;
        state.name = Narrowed({entry->FileName, entry->FileNameLength / sizeof(wchar_t)});
        // Of a reparse point, the listing gives the tag where the size of the
        // extended attributes stands otherwise.
        return FolderEntry{state.name.c_str(), KindOf(entry->FileAttributes, entry->EaSize)};
    }
    return std::nullopt;
}

bool FolderListing::BetweenReads() const {
    return !state_ || state_->next == State::kAllHandedOut;
}

}  // namespace vellomar
