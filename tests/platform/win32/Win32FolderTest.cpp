// The Win32 platform layer on a real Windows file system (or Wine's): real
// attributes, reparse points never entered, deleted or moved through, and
// read-only files never deleted.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"
#include <winioctl.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/RegistryStore.h"
#include "platform/FileMove.h"
#include "platform/Folder.h"
#include "platform/RandomWord.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own under the system's temporary folder.
class Win32FolderTest : public ::testing::Test {
protected:
    fs::path Add(const std::string& relative, std::size_t size = 1) {
        return tree_.AddFile(relative, size);
    }
    Folder Open(const std::string& relative = "") const {
        return Folder::OpenNative((relative.empty() ? root_ : root_ / relative).generic_string());
    }

    // A junction at link to target, as the system's own tools make one; false
    // when the file system refuses it.
    static bool MakeJunction(const fs::path& link, const fs::path& target) {
        fs::create_directory(link);
        const std::wstring substitute = L"\\??\\" + fs::absolute(target).wstring();
        const std::wstring print = fs::absolute(target).wstring();
        const std::size_t pathBytes = (substitute.size() + print.size() + 2) * sizeof(wchar_t);
        std::vector<unsigned char> buffer(8 + 8 + pathBytes, 0);
        auto word = [&](std::size_t at, std::uint16_t value) {
            buffer[at] = value & 0xff;
            buffer[at + 1] = value >> 8;
        };
        const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
        std::memcpy(buffer.data(), &tag, 4);
        word(4, static_cast<std::uint16_t>(8 + pathBytes));              // data length
        word(8, 0);                                                      // substitute offset
        word(10, static_cast<std::uint16_t>(substitute.size() * 2));     // substitute length
        word(12, static_cast<std::uint16_t>((substitute.size() + 1) * 2));  // print offset
        word(14, static_cast<std::uint16_t>(print.size() * 2));          // print length
        std::memcpy(buffer.data() + 16, substitute.c_str(), (substitute.size() + 1) * 2);
        std::memcpy(buffer.data() + 16 + (substitute.size() + 1) * 2, print.c_str(),
                    (print.size() + 1) * 2);
        const HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        DWORD returned = 0;
        const bool made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                          static_cast<DWORD>(buffer.size()), nullptr, 0, &returned,
                                          nullptr);
        CloseHandle(handle);
        return made && (GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
    }

    test::TempTree tree_;
    const fs::path& root_ = tree_.Root();
};

TEST_F(Win32FolderTest, LooksEntriesUpWithTheirRealAttributesAndSizes) {
    const fs::path hidden = Add("hidden.txt", 3);
    const fs::path locked = Add("locked.txt", 5);
    fs::create_directory(root_ / "sub");
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    const Folder folder = Open();
    ASSERT_TRUE(folder);

    const auto shown = folder.LookUp("hidden.txt");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->kind, EntryKind::File);
    EXPECT_EQ(shown->size, 3);
    EXPECT_EQ(shown->attributes, attribute::kHidden | attribute::kArchive);
    EXPECT_EQ(folder.LookUp("locked.txt")->attributes, attribute::kReadOnly | attribute::kArchive);
    EXPECT_EQ(folder.LookUp("sub")->kind, EntryKind::Folder);
    EXPECT_TRUE(folder.LookUp("sub")->attributes & attribute::kDirectory);
    EXPECT_FALSE(folder.LookUp("missing"));
    EXPECT_FALSE(folder.Status("locked.txt")->writable);

    // A size beyond 32 bits is told whole.
    const fs::path large = Add("large.bin", 0);
    std::error_code error;
    fs::resize_file(large, (std::uint64_t(1) << 32) + 7, error);
    if (!error) {
        EXPECT_EQ(folder.LookUp("large.bin")->size, (std::int64_t(1) << 32) + 7);
    }
}

TEST_F(Win32FolderTest, ListsEveryEntryOnceAndCanListAgainFromTheTop) {
    for (int i = 0; i < 600; ++i) Add("many/file" + std::to_string(i) + ".tmp");
    fs::create_directory(root_ / "many/sub");
    const Folder folder = Open("many");
    for (int pass = 0; pass < 2; ++pass) {
        int files = 0, folders = 0, dots = 0;
        FolderListing listing(folder);
        while (auto entry = listing.Next()) {
            if (IsDotEntry(entry->name)) ++dots;
            else if (entry->kind == EntryKind::File) ++files;
            else if (entry->kind == EntryKind::Folder) ++folders;
        }
        EXPECT_EQ(files, 600);
        EXPECT_EQ(folders, 1);
        EXPECT_EQ(dots, 2);
    }
    EXPECT_EQ(folder.Names().size(), 601u);
}

TEST_F(Win32FolderTest, DeletesWritableFilesOnlyAndNeverReadOnlyOnes) {
    Add("plain.tmp", 4);
    const fs::path locked = Add("locked.tmp");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    fs::create_directory(root_ / "sub");
    const Folder folder = Open();

    const RemovedFile removed = folder.RemoveFile("plain.tmp");
    EXPECT_EQ(removed.outcome, FileOutcome::Done);
    EXPECT_EQ(removed.size, 4);
    EXPECT_FALSE(fs::exists(root_ / "plain.tmp"));
    EXPECT_EQ(folder.RemoveFile("locked.tmp").outcome, FileOutcome::ReadOnly);
    // Even unasked to check, the system keeps a read-only file.
    const EntryCheck unchecked{false, std::nullopt, std::nullopt, std::nullopt};
    EXPECT_NE(folder.RemoveFile("locked.tmp", unchecked).outcome, FileOutcome::Done);
    EXPECT_TRUE(fs::exists(locked));
    EXPECT_EQ(folder.RemoveFile("sub").outcome, FileOutcome::NotAFile);
    EXPECT_TRUE(fs::is_directory(root_ / "sub"));
}

TEST_F(Win32FolderTest, AJunctionIsASystemEntryNeverEnteredDeletedOrMoved) {
    Add("target/inside.tmp", 2);
    fs::create_directory(root_ / "bin");
    if (!MakeJunction(root_ / "junction", root_ / "target"))
        GTEST_SKIP() << "this file system makes no junctions (error " << GetLastError() << ")";
    const Folder folder = Open();

    EXPECT_EQ(folder.LookUp("junction")->kind, EntryKind::Other);
    EXPECT_TRUE(folder.LookUp("junction")->attributes & attribute::kSystem);
    EXPECT_EQ(folder.OpenSubfolder("junction").Failure(), FileOutcome::LinkInPath);
    EXPECT_TRUE(folder.OpenSubfolder("junction", Folder::Links::Follow));
    bool listedAsSystem = false;
    FolderListing listing(folder);
    while (auto entry = listing.Next())
        if (std::string_view(entry->name) == "junction") listedAsSystem = entry->kind == EntryKind::Other;
    EXPECT_TRUE(listedAsSystem);

    EXPECT_EQ(folder.RemoveFile("junction").outcome, FileOutcome::NotAFile);
    EXPECT_EQ(MoveFile(folder, "junction", Open("bin"), "junction", EntryCheck{}),
              FileOutcome::NotAFile);
    EXPECT_TRUE(fs::exists(root_ / "junction"));
    EXPECT_TRUE(fs::exists(root_ / "target/inside.tmp"));
    EXPECT_TRUE(fs::is_empty(root_ / "bin"));
}

TEST_F(Win32FolderTest, MovesAFileIntoTheBinAndBackNeverOverAnotherFile) {
    Add("from/x.tmp", 6);
    Add("to/taken.tmp", 1);
    const Folder from = Open("from");
    const Folder to = Open("to");
    const EntryCheck stillX{true, from.Status("x.tmp")->identity, std::nullopt, std::nullopt};

    EXPECT_EQ(MoveFile(from, "x.tmp", to, "taken.tmp", EntryCheck{}), FileOutcome::TargetExists);
    EXPECT_EQ(fs::file_size(root_ / "to/taken.tmp"), 1u);
    EXPECT_EQ(MoveFile(from, "x.tmp", to, "x.tmp", stillX), FileOutcome::Done);
    EXPECT_EQ(fs::file_size(root_ / "to/x.tmp"), 6u);
    EXPECT_EQ(to.Status("x.tmp")->identity, stillX.identity);
    EXPECT_EQ(MoveFile(to, "x.tmp", from, "x.tmp", stillX), FileOutcome::Done);
    EXPECT_TRUE(fs::exists(root_ / "from/x.tmp"));

    // Another file put in its place is refused as changed.
    fs::rename(root_ / "from/x.tmp", root_ / "from/kept.tmp");
    Add("from/x.tmp", 6);
    EXPECT_EQ(MoveFile(from, "x.tmp", to, "x.tmp", stillX), FileOutcome::Changed);
}

TEST_F(Win32FolderTest, MovesAcrossVolumesByACheckedCopyThatKeepsItsTimeAndLeavesNoPart) {
    // Under Wine, Z: reaches the Linux root, where /dev/shm is a file system of
    // its own: a rename there fails as one across volumes does on Windows.
    const fs::path other =
        fs::path(L"Z:\\dev\\shm") / ("vellomar-test-" + std::to_string(RandomWord()));
    std::error_code error;
    if (!fs::create_directory(other, error)) GTEST_SKIP() << "no second volume to move to here";
    struct RemovedAtTheEnd {
        const fs::path& folder;
        ~RemovedAtTheEnd() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } removeOther{other};
    const fs::path original = Add("from/big.dat", 300 * 1024);
    const auto changed = fs::last_write_time(original) - std::chrono::hours(30);
    fs::last_write_time(original, changed);
    const Folder from = Open("from");
    const Folder to = Folder::OpenNative(other.generic_string());
    ASSERT_TRUE(to);

    const EntryCheck stillBig{true, from.Status("big.dat")->identity, std::nullopt, std::nullopt};
    ASSERT_EQ(MoveFile(from, "big.dat", to, "big.dat", stillBig), FileOutcome::Done);
    EXPECT_FALSE(fs::exists(original));
    EXPECT_EQ(fs::file_size(other / "big.dat"), 300u * 1024);
    EXPECT_EQ(fs::last_write_time(other / "big.dat"), changed);
    EXPECT_EQ(std::distance(fs::directory_iterator(other), {}), 1);  // no partial copy left

    // Back again, and never over a file that stands at the place meanwhile.
    Add("from/big.dat", 1);
    EXPECT_EQ(MoveFile(to, "big.dat", from, "big.dat", EntryCheck{}), FileOutcome::TargetExists);
    EXPECT_EQ(fs::file_size(original), 1u);
    fs::remove(original);
    ASSERT_EQ(MoveFile(to, "big.dat", from, "big.dat", EntryCheck{}), FileOutcome::Done);
    EXPECT_EQ(fs::file_size(original), 300u * 1024);
    EXPECT_TRUE(fs::is_empty(other));
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "from"), {}), 1);
}

TEST_F(Win32FolderTest, FolderHeldOpenIsWrittenWhateverItsPathNamesNow) {
    fs::create_directory(root_ / "held");
    EXPECT_EQ(Open("held").ReplaceFile("0.ini", "first"), FileOutcome::Done);
    const Folder held = Open("held");
    fs::rename(root_ / "held", root_ / "moved");
    // Wine finds a rename's target folder by the path the folder was opened
    // by, and so fails (STATUS_OBJECT_TYPE_MISMATCH) once it has moved.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine cannot rename into a folder moved since it was opened";
    EXPECT_EQ(held.ReplaceFile("1.ini", "record"), FileOutcome::Done);
    EXPECT_EQ(held.ReplaceFile("1.ini", "again"), FileOutcome::Done);
    EXPECT_EQ(held.ReadSmallFile("1.ini", 100), "again");
    EXPECT_EQ(held.ReadSmallFile("1.ini", 3), std::nullopt);
    EXPECT_EQ(fs::file_size(root_ / "moved/1.ini"), 5u);
    EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "moved"), {}), 2);
}

TEST_F(Win32FolderTest, PathsLongerThanMaxPathAreReached) {
    Folder folder = Open();
    std::string native = root_.generic_string();
    const std::string name(60, 'n');
    for (int level = 0; level < 6; ++level) {
        ASSERT_TRUE(folder.CreateSubfolder(name));
        folder = folder.OpenSubfolder(name);
        ASSERT_TRUE(folder);
        native += "/" + name;
    }
    ASSERT_GT(native.size(), std::size_t(MAX_PATH));
    EXPECT_EQ(folder.ReplaceFile("deep.txt", "deep"), FileOutcome::Done);
    const Folder again = Folder::OpenNative(native);
    ASSERT_TRUE(again);
    EXPECT_EQ(again.ReadSmallFile("deep.txt", 10), "deep");
}

TEST(Win32Drives, TheSystemDriveIsAFixedDriveKnownByItsLetter) {
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 2u);
    const char letter = static_cast<char>(system[0]);
    const DriveTable drives = DriveTable::OfThisMachine(RegistryStore(""));
    const Drive* drive = drives.Find(letter);
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->kind, DriveKind::Fixed);
    EXPECT_EQ(drive->root, std::string({static_cast<char>(letter & ~0x20), ':'}));
    EXPECT_TRUE(Folder::OpenNative(drive->root));
    const auto form = drives.ToDriveForm(drive->root + "/Windows");
    ASSERT_TRUE(form);
    EXPECT_EQ(form->substr(1), ":\\Windows");
}

}  // namespace
}  // namespace vellomar
