#pragma once
// Entries put in a result list as a search lists them: each with the file
// that stands at its path now, or, when nothing stands there, as a file
// listed there and gone since: on the file system of its nearest folder,
// with an inode no file has.

#include <string_view>

#include "platform/DrivePath.h"
#include "platform/FileSystem.h"
#include "run/ResultList.h"

namespace vellomar::test {

inline ListedFile FileAt(const FileSystem& files, std::string_view path) {
    if (const auto found = files.Find(path, NameMatch::Exact)) return ListedAs(found->info);
    ListedFile gone;
    for (std::string_view folder = path; !folder.empty();) {
        folder = FolderPartWithSeparator(folder);
        if (!folder.empty()) folder.remove_suffix(1);
        if (const auto identity = files.OpenFolder(folder, NameMatch::Exact).Identity()) {
            gone.identity.device = identity->device;
            break;
        }
    }
    return gone;
}

inline void AppendListed(ResultList& list, const FileSystem& files, std::string_view path) {
    list.Append(path, FileAt(files, path));
}

}  // namespace vellomar::test
