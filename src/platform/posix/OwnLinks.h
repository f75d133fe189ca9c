#pragma once
// The program writes and makes its own files (settings, its data folder and
// bins, saved lists) only through symbolic links that this user or root owns,
// at every name of the path, as the system's protected-links rule does for the
// last name alone: a link another user could have planted never leads a write
// of this user's elsewhere. Each name is looked at through a handle of its own
// in the folder it lies in, so the link read is the link checked.

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <system_error>

#include "platform/posix/FileDescriptor.h"

namespace vellomar {

// This user's links and root's are followed.
bool MayFollow(const struct stat& link);

// What a write or make reports for a link it may not follow.
std::error_code ForeignLinkError();

// Where a path leads: the folder it names, or the folder holding its last
// name and that name, which is then missing or an entry other than a folder
// or a link.
struct OwnPlace {
    FileDescriptor folder{-1};  // for passing through and acting in, not for listing
    std::string name;           // empty when the path names the folder itself
};

enum class PathEnd { Folder, Entry };

struct FolderMaking {
    bool make = false;  // missing folders on the way are made
    unsigned mode = 0777;
};

// Resolves the path (relative to from unless absolute) name by name, following
// links only while MayFollow allows and making the folders that are missing
// when asked. ENOTDIR, EISDIR, ELOOP and the like as the system would say,
// or ForeignLinkError().
std::error_code FindOwnPlace(int from, std::string_view path, PathEnd end, OwnPlace& place,
                             const FolderMaking& making = {});

}  // namespace vellomar
