#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/Folder.h"

namespace vellomar {
namespace {

EntryKind KindOfType(int folderFd, unsigned char type, const char* name) {
    switch (type) {
        case DT_REG: return EntryKind::File;
        case DT_DIR: return EntryKind::Folder;
        case DT_UNKNOWN: {
            // Some file systems leave the type to a look-up.
            struct stat info;
            if (fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                return EntryKind::Other;
            if (S_ISREG(info.st_mode)) return EntryKind::File;
            return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::Other;
        }
        default: return EntryKind::Other;
    }
}

// Large enough for a few hundred entries per read; walks keep one per open level.
constexpr std::size_t kListingBufferSize = 32 * 1024;

}  // namespace

struct FolderListing::State {
    int fd;  // the folder's own handle, read from its start
    std::size_t filled = 0;
    std::size_t offset = 0;
    alignas(dirent64) char buffer[kListingBufferSize];

    bool Refill() {
        const ssize_t read = getdents64(fd, buffer, kListingBufferSize);
        if (read <= 0) {
            fd = -1;  // the end, or an error, ends the listing
            return false;
        }
        filled = static_cast<std::size_t>(read);
        offset = 0;
        return true;
    }
};

// Read straight from the folder's handle: no second handle per folder to open,
// check and close, which a walk of a whole drive would pay for every folder.
FolderListing::FolderListing(const Folder& folder, From from) {
    if (!folder) return;
    if (from == From::Top && folder.listed_ && lseek(folder.handle_, 0, SEEK_SET) != 0) return;
    folder.listed_ = true;
    state_ = std::make_unique_for_overwrite<State>();
    state_->fd = folder.handle_;
}

FolderListing::~FolderListing() = default;

std::optional<FolderEntry> FolderListing::Next() {
    if (!state_) return std::nullopt;
    State& state = *state_;
    while (state.fd >= 0 && (state.offset < state.filled || state.Refill())) {
        const auto* entry = reinterpret_cast<const dirent64*>(state.buffer + state.offset);
        state.offset += entry->d_reclen;
        if (std::strchr(entry->d_name, '\\')) continue;
        return FolderEntry{entry->d_name, KindOfType(state.fd, entry->d_type, entry->d_name)};
    }
    return std::nullopt;
}

bool FolderListing::BetweenReads() const { return !state_ || state_->offset >= state_->filled; }

}  // namespace vellomar
