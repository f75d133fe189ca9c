// The desktop's trash folders, which the walks never enter.

#include "platform/DesktopTrash.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

TEST(DesktopTrashTest, TheUsersTrashAndEveryHomesTrashAreTrashWhereverTheDataFolderLies) {
    const DesktopTrash trash("u:\\data\\Trash");  // $XDG_DATA_HOME set to a folder of its own
    EXPECT_TRUE(trash.Holds("u:\\data", "Trash"));
    EXPECT_TRUE(trash.Holds("c:\\home\\ann\\.local\\share", "Trash"));
    EXPECT_FALSE(trash.Holds("u:\\data\\sub", "Trash"));
    EXPECT_FALSE(trash.Holds("u:\\data", "trash"));
    EXPECT_FALSE(DesktopTrash("").Holds("u:\\data", "Trash"));
}

TEST(DesktopTrashTest, AFileSystemsTopTrashFoldersAreTrashThereOnly) {
    const DesktopTrash trash("");
    for (const char* name : {".Trash", ".Trash-0", ".Trash-1000", "$RECYCLE.BIN", "$Recycle.Bin", "RECYCLER"}) {
        EXPECT_TRUE(trash.Holds("d:", name)) << name;
        EXPECT_FALSE(trash.Holds("d:\\home", name)) << name;
    }
    for (const char* name : {".Trash-", ".Trash-10a", ".trash", ".Trash-1000x"})
        EXPECT_FALSE(trash.Holds("d:", name)) << name;
}

}  // namespace
}  // namespace vellomar
