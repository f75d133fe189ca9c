#pragma once
// Removal of an open entry such that the name goes with it. The old way
// (FileDispositionInfo) only marks the file, which loses its name when the
// last handle on it closes: while another program holds it open, it stays
// where it was and no new entry can be made under its name. POSIX semantics
// (Windows 10 and later, on NTFS) take the name away as this handle closes,
// however many other handles remain, as unlink() does.

#include "platform/win32/SystemApi.h"

#include <string_view>

#include "platform/FileActs.h"

namespace vellomar {

// Whether a status refuses the POSIX-semantics class itself (older systems,
// FAT and exFAT, some shares), not the removal: the old way may still do.
constexpr bool RefusesPosixRemoval(LONG status) {
    switch (static_cast<ULONG>(status)) {
        case 0xC0000003:  // STATUS_INVALID_INFO_CLASS
        case 0xC000000D:  // STATUS_INVALID_PARAMETER
        case 0xC00000BB:  // STATUS_NOT_SUPPORTED
        case 0xC0000002:  // STATUS_NOT_IMPLEMENTED
            return true;
        default: return false;
    }
}

// How a removal was set: its outcome, and whether the name may outlive this
// handle, as it does with the old way while another program holds the file.
struct RemovalMark {
    FileOutcome outcome;
    bool nameMayStay = false;
};

// Sets the open entry to be removed as its handle closes: with POSIX
// semantics where the system takes them, else the old way, which, when asked
// to leave a held file alone, leaves a file that another handle reads or
// writes (InUse).
RemovalMark MarkForRemoval(HANDLE entry, bool ignoreReadOnly, bool leaveWhenHeld);

// Done once the entry of that identity has left the name in the folder;
// InUse while it stands there still, as a removal waiting for another
// program to close it does.
FileOutcome NameLeft(HANDLE folder, std::string_view name, const EntryIdentity& removed);

}  // namespace vellomar
