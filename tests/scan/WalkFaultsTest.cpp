// Both walks of a drive, the search by categories and the search by name, under
// faults: folders that cannot be read, files and folders that vanish or turn
// into links while the walk is under way, and a listing that breaks off
// half-way. The walk goes on silently with what it can read, and never
// reaches anything through a link.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

#include "browsers/BrowserScan.h"
#include "browsers/ScanLog.h"
#include "run/Session.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/Portability.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpFileSearches.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

#ifdef _WIN32
constexpr char kNoBindMount[] = "Windows mounts no folder a second time for a test";
#else
constexpr char kNoBindMount[] = "mounting a folder needs privileges";

// The handle this process holds on a folder, found by the folder's path.
std::optional<int> HandleOf(const fs::path& folder) {
    for (const auto& link : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(link.path(), error) == folder) return std::stoi(link.path().filename());
    }
    return std::nullopt;
}
#endif

// A folder mounted a second time at another place while this lives.
class BindMount {
public:
    BindMount(const fs::path& folder, const fs::path& at) : at_(at) {
#ifdef _WIN32
        (void)folder;
#else
        mounted_ = mount(folder.c_str(), at.c_str(), nullptr, MS_BIND, nullptr) == 0;
#endif
    }
    ~BindMount() {
#ifndef _WIN32
        if (mounted_) umount2(at_.c_str(), MNT_DETACH);
#endif
    }
    BindMount(const BindMount&) = delete;
    BindMount& operator=(const BindMount&) = delete;
    explicit operator bool() const { return mounted_; }

private:
    fs::path at_;
    bool mounted_ = false;
};

class WalkFaultsTest : public ::testing::TestWithParam<test::TmpFileSearch> {
protected:
    WalkFaultsTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        session.scan.ContinueScan = true;
    }

    fs::path OnDrive(std::string_view relative) const { return tree / "drive" / relative; }
    void Add(std::initializer_list<std::string_view> files) {
        for (std::string_view file : files) tree.AddFile("drive/" + std::string(file));
    }
    std::vector<std::string> Walk() {
        GetParam().run(session, view);
        return test::ShownEntries(session.results);
    }
    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingView view;
};

TEST_P(WalkFaultsTest, FoldersThatCannotBeReadOrEnteredYieldNothingAndTheWalkGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    Add({"none/a.tmp", "listonly/b.tmp", "listonly/sub/c.tmp", "passonly/d.tmp", "open/e.tmp"});
    fs::permissions(OnDrive("none"), fs::perms::none);
    // Names can be read but nothing looked up or entered; and the other way round.
    fs::permissions(OnDrive("listonly"), fs::perms::owner_read);
    fs::permissions(OnDrive("passonly"), fs::perms::owner_exec);
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(tree, [&] {
        return Walk() == std::vector<std::string>{"t:\\open\\e.tmp"};
    }));
#endif
}

TEST_P(WalkFaultsTest, FilesAndFoldersVanishingWhileTheirFolderIsListedArePassedOver) {
    Add({"first.tmp", "after/z.tmp", "d/sub/s.tmp", "d/swapped/w.tmp", "outside/canary.tmp"});
    for (int i = 0; i < 50; ++i) Add({"d/f" + std::to_string(i) + ".tmp"});
    // As soon as the walk has read the first entries of d, everything else in it
    // goes: files removed, a folder removed, a folder replaced by a file.
    bool armed = false;
    view.onStatus = [&] { armed = view.statusHistory.back() == "t:\\d"; };
    view.onPump = [&] {
        if (!armed) return;
        armed = false;
        for (const auto& entry : fs::directory_iterator(OnDrive("d"))) fs::remove_all(entry.path());
        tree.AddFile("drive/d/swapped");  // where a folder stood, a file of the same name
    };

    const std::vector<std::string> found = Walk();

    // At most the one file of d read before the pump is listed; the rest of the
    // walk is whole.
    std::vector<std::string> ofD;
    std::copy_if(found.begin(), found.end(), std::back_inserter(ofD),
                 [](const std::string& entry) { return entry.starts_with("t:\\d\\"); });
    EXPECT_LE(ofD.size(), 1u);
    EXPECT_THAT(found, Contains("t:\\after\\z.tmp"));
    EXPECT_THAT(found, Contains("t:\\first.tmp"));
    EXPECT_THAT(found, Contains("t:\\outside\\canary.tmp"));
    EXPECT_THAT(found, Not(Contains("t:\\d\\sub\\s.tmp")));
    EXPECT_THAT(found, Not(Contains("t:\\d\\swapped\\w.tmp")));
}

TEST_P(WalkFaultsTest, AFolderSwappedForALinkJustBeforeItIsEnteredIsNeverFollowed) {
    PLANT_OR_SKIP(test::PlantLink(tree.Root(), tree / "link-probe"));  // links can be made here
    Add({"tolink/own.tmp", "toroot/own.tmp", "after/z.tmp"});
    tree.AddFile("outside/canary.tmp");
    // The folder is shown, then swapped for a link before the walk opens it:
    // one link leads out of the drive, one to the root of the machine.
    view.onStatus = [&] {
        const std::string& shown = view.statusHistory.back();
        if (shown == "t:\\tolink") {
            fs::remove_all(OnDrive("tolink"));
            fs::create_directory_symlink(tree / "outside", OnDrive("tolink"));
        } else if (shown == "t:\\toroot") {
            fs::remove_all(OnDrive("toroot"));
            fs::create_directory_symlink("/", OnDrive("toroot"));
        } else if (shown.starts_with("t:\\toroot\\")) {
            session.scan.ContinueScan = false;  // it went through: do not walk the machine
        }
    };
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\after\\z.tmp"));
    // Each folder was shown as it was entered; nothing below the links was.
    EXPECT_THAT(view.statusHistory, UnorderedElementsAre("t:\\tolink", "t:\\toroot", "t:\\after"));
}

TEST_P(WalkFaultsTest, AListingThatFailsHalfwayKeepsWhatItReadAndTheWalkGoesOn) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoHandleSwap;
#else
    // More entries than one read of the folder returns (32 bytes of 32 KiB each).
    tree.AddFolder("drive/big");
    for (int i = 1000; i < 2500; ++i) test::WriteWholeFile(OnDrive("big/file" + std::to_string(i) + ".tmp"), "x");
    Add({"after/z.tmp", "first.tmp"});
    const fs::path big = OnDrive("big");
    const auto countOfBig = [](const std::vector<std::string>& entries) {
        return std::count_if(entries.begin(), entries.end(), [](const std::string& entry) {
            return entry.starts_with("t:\\big\\");
        });
    };
    // Once the walk has listed ten files of big, the folder's handle turns into
    // one that can neither be listed nor looked up in: every later read fails.
    const int notAFolder = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(notAFolder, 0);
    std::optional<std::size_t> listedBeforeBig;
    view.onStatus = [&] {
        if (view.statusHistory.back() == "t:\\big") listedBeforeBig = session.results.Count();
    };
    bool broken = false;
    view.onPump = [&] {
        if (broken || !listedBeforeBig || session.results.Count() - *listedBeforeBig < 10) return;
        const std::optional<int> handle = HandleOf(big);
        ASSERT_TRUE(handle);
        ASSERT_EQ(dup2(notAFolder, *handle), *handle);
        broken = true;
    };

    const std::vector<std::string> found = Walk();
    close(notAFolder);

    ASSERT_TRUE(broken);
    EXPECT_EQ(countOfBig(found), 10);
    EXPECT_THAT(found, Contains("t:\\after\\z.tmp"));
    EXPECT_THAT(found, Contains("t:\\first.tmp"));
#endif
}

TEST_P(WalkFaultsTest, AFolderMountedAgainBelowItselfIsWalkedOnce) {
    // Of the same file system, so only the mount tells the loop apart.
    Add({"a.tmp", "sub/b.tmp"});
    tree.AddFolder("drive/sub/loop");
    BindMount loop(OnDrive(""), OnDrive("sub/loop"));
    if (!loop) GTEST_SKIP() << kNoBindMount;
    EXPECT_THAT(Walk(), UnorderedElementsAre("t:\\a.tmp", "t:\\sub\\b.tmp"));
}

INSTANTIATE_TEST_SUITE_P(BothWalks, WalkFaultsTest, ::testing::ValuesIn(test::kTmpFileSearches),
                         [](const auto& info) { return std::string(info.param.name); });

class SilentBrowserScanView final : public BrowserScanView {
public:
    void ShowScanFolder(std::string_view) override {}
    void Pump() override {}
};

TEST(BrowserScanFaults, AFolderMountedAgainBelowItselfIsScannedOnce) {
    test::TempTree tree;
    const auto platform = test::MakeTestPlatform(tree);
    const Session session(*platform);
    tree.AddFolder("home/.config/Velmo");
    tree.AddFile("drive/Mozilla/profile/prefs.js");
    tree.AddFolder("drive/sub/loop");
    BindMount loop(tree / "drive", tree / "drive/sub/loop");
    if (!loop) GTEST_SKIP() << kNoBindMount;
    SilentBrowserScanView view;
    test::RecordingCommandWindow prompts;
    ScanDriveNow(session, view, prompts, 't');
    EXPECT_THAT(prompts.Texts(), ::testing::ElementsAre(std::string(kScanCompletedMessage)));
    const IniFile log = platform->Ini(session.dataFolder.ScanLogPath);
    EXPECT_EQ(log.ReadString(kProfileSection, "P1", ""), "t:\\Mozilla\\profile\\");
    EXPECT_EQ(log.ReadString(kProfileSection, "P2", ""), "");
}

}  // namespace
}  // namespace vellomar
