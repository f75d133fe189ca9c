// Files another program holds open: a removal reports the file removed only
// once its name is gone, and a file kept from a removal or a move by
// another's handle is told as in use, not as one the user may not change.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"

#include <filesystem>
#include <iostream>

#include "platform/FileMove.h"
#include "platform/Folder.h"
#include "platform/win32/EntryRemoval.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

// A handle that reads the file, as another program's would, sharing what is asked.
class HeldOpen {
public:
    HeldOpen(const fs::path& path, DWORD share)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0,
                              nullptr)) {}
    ~HeldOpen() { Close(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (*this) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

// Whether a new file can be made under the name now.
bool NameIsFree(const fs::path& path) {
    const HANDLE made = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (made == INVALID_HANDLE_VALUE) return false;
    CloseHandle(made);
    DeleteFileW(path.c_str());
    return true;
}

class Win32InUseRemovalTest : public ::testing::Test {
protected:
    test::TempTree tree_;
    const Folder folder_ = [this] {
        tree_.AddFolder("bin");
        return Folder::OpenNative(tree_.Root().generic_string());
    }();
};

TEST_F(Win32InUseRemovalTest, AFileHeldWithoutDeleteSharingStaysAndIsInUse) {
    const fs::path held = tree_.AddFile("held.tmp", 4);
    HeldOpen other(held, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other);
    const RemovedFile removed = folder_.RemoveFile("held.tmp");
    EXPECT_EQ(removed.outcome, FileOutcome::InUse);
    const Folder bin = folder_.OpenSubfolder("bin");
    EXPECT_EQ(MoveFile(folder_, "held.tmp", bin, "held.tmp", {}), FileOutcome::InUse);
    other.Close();
    // Nothing was left pending: the file is there still, and goes now.
    EXPECT_TRUE(fs::exists(held));
    EXPECT_EQ(folder_.RemoveFile("held.tmp").outcome, FileOutcome::Done);
    EXPECT_FALSE(fs::exists(held));
}

TEST_F(Win32InUseRemovalTest, AFileHeldWithDeleteSharingIsRemovedOnlyWhenItsNameGoes) {
    const fs::path held = tree_.AddFile("shared.tmp", 4);
    HeldOpen other(held, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(other);
    const RemovedFile removed = folder_.RemoveFile("shared.tmp");
    std::cout << "removal of a file held with delete sharing: "
              << (removed.outcome == FileOutcome::Done    ? "done"
                  : removed.outcome == FileOutcome::InUse ? "in use"
                                                          : "other")
              << ", name free while held: " << NameIsFree(held) << "\n";
    if (removed.outcome == FileOutcome::Done) {
        // Removed with its name, as unlink() does, while the other handle lives on.
        EXPECT_EQ(removed.size, 4);
        EXPECT_TRUE(NameIsFree(held));
    } else {
        // Where the name would outlive the removal, the file is left alone:
        // nothing is marked, so it stays once the other program lets it go.
        EXPECT_EQ(removed.outcome, FileOutcome::InUse);
        other.Close();
        EXPECT_TRUE(fs::exists(held));
        EXPECT_EQ(folder_.RemoveFile("shared.tmp").outcome, FileOutcome::Done);
    }
    other.Close();
    EXPECT_FALSE(fs::exists(held));
}

TEST_F(Win32InUseRemovalTest, AReadOnlyFileGoesOnlyWhereTheCheckLetsItThrough) {
    const fs::path locked = tree_.AddFile("locked.tmp");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(folder_.RemoveFile("locked.tmp").outcome, FileOutcome::ReadOnly);
    EXPECT_TRUE(fs::exists(locked));
    EntryCheck readOnlyToo;
    readOnlyToo.writable = false;
    const RemovedFile anyway = folder_.RemoveFile("locked.tmp", readOnlyToo);
    std::cout << "read-only file removed when the check allows it: "
              << (anyway.outcome == FileOutcome::Done) << "\n";
    // The old way of removal, where it is all there is, refuses a read-only file.
    EXPECT_EQ(anyway.outcome == FileOutcome::Done, !fs::exists(locked));
}

TEST(Win32PosixRemovalTest, OnlyARefusalOfTheWayItselfFallsBackToTheOldWay) {
    EXPECT_TRUE(RefusesPosixRemoval(static_cast<LONG>(0xC0000003)));   // invalid class
    EXPECT_TRUE(RefusesPosixRemoval(static_cast<LONG>(0xC000000D)));   // FAT: invalid parameter
    EXPECT_TRUE(RefusesPosixRemoval(static_cast<LONG>(0xC00000BB)));   // not supported
    EXPECT_FALSE(RefusesPosixRemoval(static_cast<LONG>(0xC0000022)));  // access denied
    EXPECT_FALSE(RefusesPosixRemoval(static_cast<LONG>(0xC0000121)));  // cannot delete
    EXPECT_FALSE(RefusesPosixRemoval(static_cast<LONG>(0xC0000043)));  // sharing violation
}

}  // namespace
}  // namespace vellomar
