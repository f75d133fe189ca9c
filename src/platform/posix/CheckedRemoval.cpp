#include "platform/posix/CheckedRemoval.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/EndingSignalsHeld.h"
#include "platform/posix/FileErrors.h"
#include "platform/posix/Renames.h"
#include "platform/posix/StatTime.h"

namespace vellomar {
namespace {

// The aside name keeps the entry's name after its fresh part, so that a
// later run can put an entry left aside back; a name too long for that gets
// the fresh part alone.
std::string AsideName(const char* name) { return FreshName(kAsidePrefix) + "-" + name; }

// The name an aside name keeps; nothing when it keeps none.
std::optional<std::string> NameBeforeAside(std::string_view aside) {
    constexpr std::size_t kFreshPart = 32;  // FreshName's hex digits
    if (!aside.starts_with(kAsidePrefix)) return std::nullopt;
    aside.remove_prefix(kAsidePrefix.size());
    if (aside.size() < kFreshPart + 2 || aside[kFreshPart] != '-') return std::nullopt;
    const std::string_view name = aside.substr(kFreshPart + 1);
    if (!IsPlainName(name)) return std::nullopt;
    return std::string(name);
}

}  // namespace

FileOutcome CheckEntry(const struct stat& info, const EntryCheck& check) {
    if (!S_ISREG(info.st_mode)) return FileOutcome::NotAFile;
    if (check.writable && !(info.st_mode & S_IWUSR)) return FileOutcome::ReadOnly;
    if (check.identity && *check.identity != IdentityOf(info)) return FileOutcome::Changed;
    if (check.listed && *check.listed != ListedFile{IdentityOf(info), info.st_size, TimeOf(info.st_mtim)})
        return FileOutcome::Changed;
    if (check.modifiedBefore && TimeOf(info.st_mtim) >= *check.modifiedBefore) return FileOutcome::Changed;
    return FileOutcome::Done;
}

RemovedFile RemoveCheckedAt(int folderFd, const char* name,
                            const std::function<FileOutcome(const struct stat&)>& accept) {
    // A first look, not trusted, leaves what is refused already untouched.
    struct stat before;
    if (fstatat(folderFd, name, &before, AT_SYMLINK_NOFOLLOW) != 0) return {OutcomeOfError(errno)};
    if (const FileOutcome refusal = accept(before); refusal != FileOutcome::Done) return {refusal};

    // From here until the entry is removed or back, an ending signal waits.
    const EndingSignalsHeld held;
    std::string aside = AsideName(name);
    int error = RenameToFreshName(folderFd, name, folderFd, aside.c_str());
    if (error == ENAMETOOLONG) {
        aside = FreshName(kAsidePrefix);
        error = RenameToFreshName(folderFd, name, folderFd, aside.c_str());
    }
    if (error != 0) return {OutcomeOfError(error)};
    struct stat info;
    FileOutcome outcome = fstatat(folderFd, aside.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0
                              ? accept(info)
                              : OutcomeOfError(errno);
    if (outcome == FileOutcome::Done) {
        if (unlinkat(folderFd, aside.c_str(), 0) == 0)
            return {FileOutcome::Done, static_cast<std::int64_t>(info.st_size)};
        outcome = OutcomeOfError(errno);
    }
    error = RenameNoReplace(folderFd, aside.c_str(), folderFd, name);
    if (error != 0 && error != ENOENT) return {FileOutcome::NotPutBack};
    return {outcome};
}

FileOutcome PutAsideBackAt(int folderFd, const char* aside) {
    const std::optional<std::string> name = NameBeforeAside(aside);
    if (!name) return FileOutcome::NotFound;
    struct stat info;
    if (fstatat(folderFd, aside, &info, AT_SYMLINK_NOFOLLOW) != 0) return OutcomeOfError(errno);
    if (!S_ISREG(info.st_mode)) return FileOutcome::NotAFile;
    // In a folder others write, an entry of this name may be another user's
    // (or another user's run's): that is left to its owner.
    if (info.st_uid != geteuid()) return FileOutcome::NotPermitted;
    const int error = RenameNoReplace(folderFd, aside, folderFd, name->c_str());
    return error == 0 ? FileOutcome::Done : OutcomeOfError(error);
}

}  // namespace vellomar
