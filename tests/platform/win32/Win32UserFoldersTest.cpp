// The application-data folder as %APPDATA% names it, in the forms Windows
// users have: a lower-case drive letter, or a network share after folder
// redirection.

#include <gtest/gtest.h>

#include "platform/win32/SystemApi.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/DrivePath.h"
#include "platform/Platform.h"
#include "platform/RegistryStore.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class Win32UserFoldersTest : public ::testing::Test {
protected:
    ~Win32UserFoldersTest() override {
        SetEnvironmentVariableW(L"APPDATA", saved_ ? saved_->c_str() : nullptr);
    }

    // The platform of a process whose %APPDATA% is folder.
    static std::unique_ptr<Platform> PlatformWithAppData(const std::wstring& folder) {
        SetEnvironmentVariableW(L"APPDATA", folder.c_str());
        return std::make_unique<Platform>(
            DriveTable::OfThisMachine(RegistryStore::OfThisUser("", "")),
            UserFolders::OfThisProcess());
    }

    test::TempTree tree;

private:
    static std::optional<std::wstring> Saved() {
        wchar_t value[32768];
        const DWORD size = GetEnvironmentVariableW(L"APPDATA", value, 32768);
        if (size == 0 || size >= 32768) return std::nullopt;
        return std::wstring(value, size);
    }
    const std::optional<std::wstring> saved_ = Saved();
};

TEST_F(Win32UserFoldersTest, ALowerCaseDriveLetterStillNamesTheDataFolder) {
    std::wstring folder = fs::absolute(tree.AddFolder("Roaming")).wstring();
    ASSERT_TRUE(folder.size() > 2 && folder[1] == L':');
    folder[0] = static_cast<wchar_t>(towlower(folder[0]));
    const auto platform = PlatformWithAppData(folder);
    ASSERT_FALSE(platform->AppDataFolder().empty());
    EXPECT_EQ(platform->AppDataFolder()[0], static_cast<char>(folder[0]));

    // The files of the data folder are written where %APPDATA% says.
    platform->Ini(JoinDrivePath(platform->AppDataFolder(), "vmscan4.ini")).WriteString("s", "k", "v");
    EXPECT_TRUE(fs::is_regular_file(tree.Root() / "Roaming" / "vmscan4.ini"));
}

TEST_F(Win32UserFoldersTest, AFolderOnAShareNoLetterMapsGetsADriveOfItsOwn) {
    const auto platform = PlatformWithAppData(L"\\\\vellomar-test-server\\profiles\\ann\\Roaming");
    const auto parts = SplitDrivePath(platform->AppDataFolder());
    ASSERT_TRUE(parts) << platform->AppDataFolder();
    const Drive* share = platform->Drives().Find(parts->letter);
    ASSERT_NE(share, nullptr);
    EXPECT_EQ(share->root, "//vellomar-test-server/profiles");
    EXPECT_EQ(share->kind, DriveKind::Network);
    EXPECT_EQ(platform->AppDataFolder(), DriveRootPath(parts->letter) + "\\ann\\Roaming");
    EXPECT_EQ(platform->Files().NativePath(platform->AppDataFolder(), NameMatch::Exact),
              "//vellomar-test-server/profiles/ann/Roaming");
}

}  // namespace
}  // namespace vellomar
