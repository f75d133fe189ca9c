#pragma once
// Renames that never replace what stands at the target, and names no other
// process can know in advance, for putting an entry aside before it is acted on.

#include <string>
#include <string_view>

namespace vellomar {

// 0, or the errno of a rename that never replaces an entry at the target.
int RenameNoReplace(int fromFd, const char* name, int toFd, const char* newName);

// 0, or the errno of a rename to a name from FreshName. No entry can stand
// there, so where the file system does not know RENAME_NOREPLACE a plain
// rename serves, also on file systems without hard links.
int RenameToFreshName(int fromFd, const char* name, int toFd, const char* freshName);

// The prefix and 128 random bits in hex: a name never given out twice.
std::string FreshName(std::string_view prefix);

}  // namespace vellomar
