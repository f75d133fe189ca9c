// Folders made for their owner alone (mode 0700) get, as they are made, an
// access list that lets this user alone in and inherits nothing from their
// parent; folders of any other mode take their parent's. And a folder passes
// as the user's own where its file system keeps owners and names the user,
// or keeps none at all.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"
#include <aclapi.h>
#include <sddl.h>

#include <iostream>
#include <string>

#include "platform/Folder.h"
#include "platform/win32/PrivateFolder.h"
#include "platform/win32/ProcessUser.h"
#include "platform/win32/VolumeOwners.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

struct HeldSecurity {
    bool read = false;
    bool ownerIsUser = false;
    bool isProtected = false;
    // The entries of the list: how many, and whether the first grants this
    // user full control.
    DWORD entries = 0;
    bool firstGrantsUserAll = false;
};

// This process's user as its token names it.
std::wstring ThisUser() {
    const ProcessUser user;
    LPWSTR text = nullptr;
    if (!user.Sid() || !ConvertSidToStringSidW(user.Sid(), &text)) return L"";
    std::wstring named(text);
    LocalFree(text);
    return named;
}

bool IsThisUser(PSID sid) {
    LPWSTR text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text)) return false;
    const bool same = ThisUser() == text;
    LocalFree(text);
    return same;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The owner and access list a folder has on disk, read back through a handle.
HeldSecurity SecurityOf(const fs::path& path) {
    HeldSecurity held;
    const HANDLE handle = CreateFileW(path.c_str(), READ_CONTROL,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return held;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    held.read = GetSecurityInfo(handle, SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                nullptr, &dacl, nullptr, &descriptor) == ERROR_SUCCESS;
    CloseHandle(handle);
    if (!held.read) return held;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    GetSecurityDescriptorControl(descriptor, &control, &revision);
    held.isProtected = control & SE_DACL_PROTECTED;
    held.ownerIsUser = IsThisUser(owner);
    if (dacl) {
        held.entries = dacl->AceCount;
        void* ace = nullptr;
        if (held.entries > 0 && GetAce(dacl, 0, &ace)) {
            const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            held.firstGrantsUserAll = allowed->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                                      (allowed->Mask & FILE_ALL_ACCESS) == FILE_ALL_ACCESS &&
                                      IsThisUser(const_cast<DWORD*>(&allowed->SidStart));
        }
    }
    LocalFree(descriptor);
    return held;
}

std::ostream& operator<<(std::ostream& out, const HeldSecurity& held) {
    return out << "read " << held.read << ", owner is user " << held.ownerIsUser
               << ", protected " << held.isProtected << ", entries " << held.entries
               << ", first grants user all " << held.firstGrantsUserAll;
}

TEST(Win32PrivateFolderTest, TheDescriptorGivenOwnsToTheUserAndLetsTheUserAloneIn) {
    OwnerOnlySecurity security;
    ASSERT_TRUE(security.Get());
    LPWSTR text = nullptr;
    ASSERT_TRUE(ConvertSecurityDescriptorToStringSecurityDescriptorW(
        security.Get(), SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
        &text, nullptr));
    const std::wstring given(text);
    LocalFree(text);
    // Protected (P), one entry: full access (FA) for the user, inherited by
    // folders (CI) and files (OI) made inside.
    const std::wstring user = ThisUser();
    ASSERT_FALSE(user.empty());
    EXPECT_EQ(given, L"O:" + user + L"D:P(A;OICI;FA;;;" + user + L")");
}

TEST(Win32PrivateFolderTest, AFolderForItsOwnerAloneLetsNoOneElseInFromTheStart) {
    test::TempTree tree;
    const Folder root = Folder::OpenNative(tree.Root().generic_string());
    ASSERT_TRUE(root.CreateSubfolder("made", 0700));
    const Folder opened =
        root.OpenSubfolder("opened", Folder::Links::Refuse, Folder::Missing::Create, 0700);
    ASSERT_TRUE(opened);
    const auto fresh = opened.CreateFreshSubfolder("item-", 0700);
    ASSERT_TRUE(fresh);

    const HeldSecurity made = SecurityOf(tree / "made");
    std::cout << "made: " << made << "\n";
    ASSERT_TRUE(made.read);
    if (!made.isProtected && UnderWine())
        GTEST_SKIP() << "this Wine keeps no security descriptor of a file (none in an extended "
                        "attribute): it shows one made from the Unix mode, which it leaves as "
                        "the umask gives";
    for (const fs::path& path : {tree / "made", tree / "opened", tree / "opened" / *fresh}) {
        const HeldSecurity held = SecurityOf(path);
        std::cout << path.filename().string() << ": " << held << "\n";
        EXPECT_TRUE(held.isProtected) << path;
        EXPECT_TRUE(held.ownerIsUser) << path;
        EXPECT_EQ(held.entries, 1u) << path;
        EXPECT_TRUE(held.firstGrantsUserAll) << path;
    }
    // A record written inside inherits the folder's list: the user's alone.
    ASSERT_EQ(opened.ReplaceFile("record.ini", "x"), FileOutcome::Done);
    const HeldSecurity record = SecurityOf(tree / "opened" / "record.ini");
    std::cout << "record.ini: " << record << "\n";
    EXPECT_FALSE(record.isProtected);
    EXPECT_EQ(record.entries, 1u);
    EXPECT_TRUE(record.firstGrantsUserAll);
}

TEST(Win32PrivateFolderTest, AFolderOpenToOthersTakesItsParentsRights) {
    test::TempTree tree;
    const Folder root = Folder::OpenNative(tree.Root().generic_string());
    ASSERT_TRUE(root.CreateSubfolder("shared", 0755));
    const HeldSecurity held = SecurityOf(tree / "shared");
    std::cout << "shared: " << held << "\n";
    EXPECT_FALSE(held.isProtected);
    // An existing folder opened with the private mode is left as it is.
    ASSERT_TRUE(root.OpenSubfolder("shared", Folder::Links::Refuse, Folder::Missing::Create, 0700));
    EXPECT_FALSE(SecurityOf(tree / "shared").isProtected);
}

TEST(Win32PrivateFolderTest, AFolderPassesAsOwnWhereOwnersAreKeptAndNameTheUserOrAreNotKept) {
    // As FAT32 and exFAT report themselves: names kept in case, Unicode, no owners.
    constexpr DWORD kFatFlags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK;
    constexpr DWORD kNtfsFlags = kFatFlags | FILE_CASE_SENSITIVE_SEARCH | FILE_PERSISTENT_ACLS |
                                 FILE_FILE_COMPRESSION | FILE_NAMED_STREAMS;
    EXPECT_TRUE(PassesAsOwn(kFatFlags, false));
    EXPECT_TRUE(PassesAsOwn(kFatFlags, true));
    EXPECT_FALSE(PassesAsOwn(kNtfsFlags, false));
    EXPECT_TRUE(PassesAsOwn(kNtfsFlags, true));

    // What the system here tells of each drive, and of the test's own folder.
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":/";
        const Folder drive = Folder::OpenNative(root);
        if (!drive) continue;
        wchar_t name[MAX_PATH + 1] = {};
        DWORD flags = 0;
        const std::wstring wide(root.begin(), root.end());
        GetVolumeInformationW(wide.c_str(), nullptr, 0, nullptr, nullptr, &flags, name, MAX_PATH);
        std::wcout << root.c_str() << L" " << name << L" flags 0x" << std::hex << flags << std::dec
                   << L" keeps owners " << bool(flags & FILE_PERSISTENT_ACLS) << L"\n";
    }
    test::TempTree tree;
    EXPECT_TRUE(Folder::OpenNative(tree.Root().generic_string()).OwnedByThisUser());
}

}  // namespace
}  // namespace vellomar
