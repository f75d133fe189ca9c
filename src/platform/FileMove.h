#pragma once
// Moving one file between two open folders without ever replacing what stands
// at the target, and without ever losing the file: it is either at its old
// place or at its new one, whole, when the move ends.

#include <string>
#include <string_view>

#include "platform/Folder.h"

namespace vellomar {

// How the temporary name of a copy under way begins. A copy cut short by a
// crash stays behind under it; the original is still at its place then.
inline constexpr std::string_view kPartialCopyPrefix = ".vellomar-partial-";

// Moves the regular file `name` of one folder to `newName` in another, when it
// passes the check (writable, and still the very file meant where one is named).
// On one file system it is a rename that fails when the target name is taken;
// what it moved is checked at the target and put back when it does not pass
// (NotPutBack when a new entry has taken its old name by then: what was
// moved stays at the target).
// Across file systems the file is copied to a temporary name beside the target,
// synced, checked for its size, renamed into place, and only then is the
// original removed, if it is still the very file that was copied; on any
// failure the copy is removed and the original stays untouched. Links are
// refused, never followed.
FileOutcome MoveFile(const Folder& from, const std::string& name, const Folder& to,
                     const std::string& newName, const EntryCheck& check);

}  // namespace vellomar
