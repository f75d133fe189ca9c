// Reparse points as Windows has them: symbolic links, junctions and mount
// points name other entries and are never entered, deleted or moved through;
// a cloud file's placeholder, a deduplicated or a compressed file is the file
// or folder it looks like, with its real size.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"
#include <winioctl.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/FileMove.h"
#include "platform/Folder.h"
#include "platform/win32/EntryHandle.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kReparse = FILE_ATTRIBUTE_REPARSE_POINT;

TEST(Win32ReparseKinds, OnlyNameSurrogatesAreLinksTheOtherReparsePointsAreWhatTheyLookLike) {
    for (const DWORD attributes : {DWORD(FILE_ATTRIBUTE_ARCHIVE), DWORD(FILE_ATTRIBUTE_DIRECTORY)}) {
        SCOPED_TRACE(attributes);
        const EntryKind looks =
            attributes & FILE_ATTRIBUTE_DIRECTORY ? EntryKind::Folder : EntryKind::File;
        // Symbolic links, junctions and mount points, a Linux subsystem's links.
        for (const DWORD tag : {DWORD(IO_REPARSE_TAG_SYMLINK), DWORD(IO_REPARSE_TAG_MOUNT_POINT),
                                DWORD(0xA000001D)}) {
            EXPECT_TRUE(IsNameSurrogate(attributes | kReparse, tag)) << std::hex << tag;
            EXPECT_EQ(KindOf(attributes | kReparse, tag), EntryKind::Other) << std::hex << tag;
        }
        // Cloud placeholders, deduplicated, compressed, single-instance and
        // archived files, app execution aliases.
        for (const DWORD tag :
             {DWORD(IO_REPARSE_TAG_CLOUD), DWORD(IO_REPARSE_TAG_CLOUD_3),
              DWORD(IO_REPARSE_TAG_CLOUD_F), DWORD(IO_REPARSE_TAG_ONEDRIVE),
              DWORD(IO_REPARSE_TAG_DEDUP), DWORD(IO_REPARSE_TAG_WOF), DWORD(IO_REPARSE_TAG_SIS),
              DWORD(IO_REPARSE_TAG_HSM), DWORD(IO_REPARSE_TAG_HSM2),
              DWORD(IO_REPARSE_TAG_APPEXECLINK), DWORD(0x0000BEEF)}) {
            EXPECT_FALSE(IsNameSurrogate(attributes | kReparse, tag)) << std::hex << tag;
            EXPECT_EQ(KindOf(attributes | kReparse, tag), looks) << std::hex << tag;
        }
        // Without the reparse attribute the field holds the size of the
        // extended attributes, which says nothing of links.
        EXPECT_FALSE(IsNameSurrogate(attributes, IO_REPARSE_TAG_SYMLINK));
        EXPECT_EQ(KindOf(attributes, IO_REPARSE_TAG_SYMLINK), looks);
        EXPECT_EQ(KindOf(attributes, 0x80000023), looks);
    }
    // Sockets and a Linux subsystem's fifos and device nodes are system
    // entries, as on POSIX systems, though no links.
    for (const DWORD tag : {0x80000023u, 0x80000024u, 0x80000025u, 0x80000026u}) {
        EXPECT_FALSE(IsNameSurrogate(FILE_ATTRIBUTE_ARCHIVE | kReparse, tag));
        EXPECT_EQ(KindOf(FILE_ATTRIBUTE_ARCHIVE | kReparse, tag), EntryKind::Other) << std::hex << tag;
    }
    EXPECT_EQ(KindOf(FILE_ATTRIBUTE_ARCHIVE | kReparse, 0x80000027), EntryKind::File);
    EXPECT_EQ(KindOf(FILE_ATTRIBUTE_DEVICE, 0), EntryKind::Other);
}

// A reparse point of a tag of no filter's at path, a file's or a folder's, as
// a placeholder of a file kept elsewhere is: its tag is no name surrogate. An
// explanation when the file system makes none, else "".
std::string PlantPlaceholder(const fs::path& path) {
    constexpr DWORD kTag = 0x0000BEEF;  // neither a Microsoft tag nor a name surrogate
    constexpr GUID kOwner = {0x6d1b7a40, 0x3c2e, 0x4f7a, {0x9a, 0x11, 0x52, 0x0d, 0x8e, 0x43, 0x7c, 0x19}};
    std::vector<unsigned char> buffer(REPARSE_GUID_DATA_BUFFER_HEADER_SIZE + 4, 0);
    auto* reparse = reinterpret_cast<REPARSE_GUID_DATA_BUFFER*>(buffer.data());
    reparse->ReparseTag = kTag;
    reparse->ReparseDataLength = 4;
    reparse->ReparseGuid = kOwner;
    std::memcpy(reparse->GenericReparseBuffer.DataBuffer, "held", 4);
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr);
    if (handle == INVALID_HANDLE_VALUE) return "cannot open " + path.string();
    DWORD returned = 0;
    const bool made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                      static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                      nullptr);
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (!made)
        return "this file system makes no reparse points (error " + std::to_string(error) + ")";
    return GetFileAttributesW(path.c_str()) & kReparse ? "" : "the reparse point did not stay";
}

// Wine 8 makes no reparse points (error 50, not supported), so there only
// the decision above runs; NTFS makes them for any user who may write the file.
TEST(Win32Reparse, APlaceholderIsListedSizedEnteredAndDeletedAsTheFileOrFolderItIs) {
    test::TempTree tree;
    const fs::path file = tree.AddFile("held.dat", 5);
    tree.AddFile("held folder/inside.tmp", 3);
    fs::create_directory(tree.Root() / "bin");
    if (const std::string why = PlantPlaceholder(file); !why.empty()) GTEST_SKIP() << why;
    if (const std::string why = PlantPlaceholder(tree.Root() / "held folder"); !why.empty())
        GTEST_SKIP() << why;
    const Folder folder = Folder::OpenNative(tree.Root().generic_string());
    ASSERT_TRUE(folder);

    FolderListing listing(folder);
    int files = 0, folders = 0;
    while (auto entry = listing.Next()) {
        if (std::string_view(entry->name) == "held.dat") files += entry->kind == EntryKind::File;
        if (std::string_view(entry->name) == "held folder")
            folders += entry->kind == EntryKind::Folder;
    }
    EXPECT_EQ(files, 1);
    EXPECT_EQ(folders, 1);
    const auto info = folder.LookUp("held.dat");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->kind, EntryKind::File);
    EXPECT_EQ(info->size, 5);
    EXPECT_FALSE(info->attributes & attribute::kSystem);
    const Folder inside = folder.OpenSubfolder("held folder");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside.LookUp("inside.tmp")->size, 3);

    // Moved within its volume and deleted as the file it is.
    ASSERT_EQ(MoveFile(folder, "held.dat", folder.OpenSubfolder("bin"), "held.dat", EntryCheck{}),
              FileOutcome::Done);
    const RemovedFile removed = folder.OpenSubfolder("bin").RemoveFile("held.dat");
    EXPECT_EQ(removed.outcome, FileOutcome::Done);
    EXPECT_EQ(removed.size, 5);
    EXPECT_FALSE(fs::exists(tree.Root() / "bin/held.dat"));
}

}  // namespace
}  // namespace vellomar
