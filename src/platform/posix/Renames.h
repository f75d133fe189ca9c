#pragma once
// Renames that never replace what stands at the target, and renames to a fresh
// name, for putting an entry aside before it is acted on.

#include "platform/FreshName.h"

namespace vellomar {

// 0, or the errno of a rename that never replaces an entry at the target.
int RenameNoReplace(int fromFd, const char* name, int toFd, const char* newName);

// 0, or the errno of a rename to a name from FreshName. No entry can stand
// there, so where the file system does not know RENAME_NOREPLACE a plain
// rename serves, also on file systems without hard links.
int RenameToFreshName(int fromFd, const char* name, int toFd, const char* freshName);

}  // namespace vellomar
