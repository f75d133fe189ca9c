#pragma once
// Removing an entry by name. A look-up followed by a removal by name is a race
// another process can win, swapping the file for a folder, a link or another
// file in between; and no call removes an entry through a handle of its own.
// So the entry is first renamed, within its folder, to a fresh name no other
// process knows; what now stands under that name is looked at through the
// same folder handle and removed only when it passes, else put back.

#include <sys/stat.h>

#include <functional>

#include "platform/FileActs.h"
#include "platform/Folder.h"

namespace vellomar {

inline EntryIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// Done, or why an entry with this status may not be acted on.
FileOutcome CheckEntry(const struct stat& info, const EntryCheck& check);

// Removes the entry of that name in the folder when `accept` finds it Done,
// both before it is put aside and after (only the second look is trusted).
// Signals that end the program wait while the entry is aside; a crash or a
// kill there leaves it under a name beginning with kAsidePrefix (Folder.h)
// that keeps its own name where the two fit in one name; an entry that cannot
// be put back (a new one took its name meanwhile) stays under that name and
// the outcome is NotPutBack.
RemovedFile RemoveCheckedAt(int folderFd, const char* name,
                            const std::function<FileOutcome(const struct stat&)>& accept);

// Puts a regular file of this user's that a removal left aside back under its
// own name, never over an entry that has that name now (TargetExists).
FileOutcome PutAsideBackAt(int folderFd, const char* aside);

}  // namespace vellomar
