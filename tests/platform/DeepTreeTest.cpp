// A tree 2,000 folders deep, whose paths are nearly three times longer than any
// path one system call takes: the walks, File Details, deletion and the garbage bin
// either reach its files or pass them over cleanly, and every folder handle
// they open is closed again.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "browsers/BrowserScan.h"
#include "browsers/ScanLog.h"
#include "results/Deletion.h"
#include "results/FileDetails.h"
#include "results/GarbageBin.h"
#include "run/Session.h"
#include "scan/TreeWalk.h"
#include "support/ListedEntries.h"
#include "support/RecordingCommands.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#include "support/TmpFileSearches.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr int kLevels = 2000;
constexpr std::string_view kLevelName = "level";

// How many handles this process holds open now.
int OpenHandles() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), {})) - 1;
}

// The drive-form path of a folder of the chain, or of a file in it.
std::string ChainPath(int level, std::string_view name = {}) {
    std::string path = "t:";
    for (int i = 0; i < level; ++i) path.append("\\").append(kLevelName);
    if (!name.empty()) path.append("\\").append(name);
    return path;
}

// An entry of the chain as "<level>:<name>", which a failure prints shorter.
std::vector<std::string> LevelsAndNames(const std::vector<std::string>& entries) {
    std::vector<std::string> shown;
    for (const std::string& entry : entries) {
        int level = 0;
        for (std::size_t at = entry.find(kLevelName); at != std::string::npos;
             at = entry.find(kLevelName, at + 1))
            ++level;
        shown.push_back(std::to_string(level) + ":" + entry.substr(entry.rfind('\\') + 1));
    }
    return shown;
}

// Opens the folder of the chain at a level below top, one name at a time: its
// path is too long to be opened in one call.
int OpenLevel(const fs::path& top, int level) {
    int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < level && fd >= 0; ++i) {
        const int next = openat(fd, kLevelName.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    return fd;
}

// Folders nested `levels` deep below top, each made relative to its parent's
// handle; those that are there already are kept.
void MakeChain(const fs::path& top, int levels) {
    int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; i < levels && fd >= 0; ++i) {
        ASSERT_TRUE(mkdirat(fd, kLevelName.data(), 0777) == 0 || errno == EEXIST);
        const int next = openat(fd, kLevelName.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = next;
    }
    ASSERT_GE(fd, 0);
    close(fd);
}

void WriteAt(const fs::path& top, int level, const std::string& name, std::string_view text) {
    const int folder = OpenLevel(top, level);
    ASSERT_GE(folder, 0);
    const int file = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    close(folder);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(file);
}

// Removes the deepest, empty folders of the chain, the deepest first.
void RemoveDeepestLevels(const fs::path& top, int count) {
    std::vector<int> folders = {OpenLevel(top, kLevels - count)};
    for (int i = 1; i < count; ++i)
        folders.push_back(openat(folders.back(), kLevelName.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
        EXPECT_EQ(unlinkat(*folder, kLevelName.data(), AT_REMOVEDIR), 0);
        close(*folder);
    }
}

// The file's text, or nothing when it is not there.
std::optional<std::string> ReadAt(const fs::path& top, int level, const std::string& name) {
    const int folder = OpenLevel(top, level);
    const int file = folder >= 0 ? openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (folder >= 0) close(folder);
    if (file < 0) return std::nullopt;
    char buffer[256];
    const ssize_t got = read(file, buffer, sizeof buffer);
    close(file);
    return std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
}

// The soft limit on open files set while it lives.
class OpenFileLimit {
public:
    explicit OpenFileLimit(rlim_t handles) {
        getrlimit(RLIMIT_NOFILE, &previous_);
        rlimit changed = previous_;
        changed.rlim_cur = handles;
        set_ = setrlimit(RLIMIT_NOFILE, &changed) == 0;
    }
    ~OpenFileLimit() { setrlimit(RLIMIT_NOFILE, &previous_); }
    OpenFileLimit(const OpenFileLimit&) = delete;
    OpenFileLimit& operator=(const OpenFileLimit&) = delete;
    explicit operator bool() const { return set_; }

private:
    rlimit previous_;
    bool set_;
};

// Room for a walk to hold a handle on each level it may enter, whatever limit
// the tests were started with.
constexpr rlim_t kRoomForTheDeepestWalk = kDeepestWalkedLevel + 64;

// Counts the handles held each time the scan for browser profiles shows a
// folder deeper than any before, as it is about to enter a subfolder of it.
class CountingBrowserScanView final : public BrowserScanView {
public:
    explicit CountingBrowserScanView(int before) : before_(before) {}
    void ShowScanFolder(std::string_view folderPath) override {
        if (folderPath.size() <= longest_) return;
        longest_ = folderPath.size();
        mostHeld = std::max(mostHeld, OpenHandles() - before_);
    }
    void Pump() override {}
    int mostHeld = 0;

private:
    const int before_;
    std::size_t longest_ = 0;
};

// The chain is slow to make and to remove, so all the tests share one; each
// takes out again what it put in. Drive t: is a link to it.
class DeepTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        chain_ = new test::TempTree;
        MakeChain(chain_->Root(), kLevels);
    }
    static void TearDownTestSuite() {
        delete chain_;
        chain_ = nullptr;
    }

    DeepTreeTest() : platform(OverTheChain(tree)), session(*platform) {
        tree.AddFolder("home/.config/Velmo");
        session.scan.ContinueScan = true;
    }
    ~DeepTreeTest() override {
        EXPECT_EQ(chdir("/"), 0);  // a walk leaves the process deep in the chain
        for (const auto& [level, name] : written_) {
            const int folder = OpenLevel(Drive(), level);
            unlinkat(folder, name.c_str(), 0);
            close(folder);
        }
        for (const auto& entry : fs::directory_iterator(Drive()))
            if (entry.path().filename() != kLevelName) fs::remove_all(entry.path());
        MakeChain(Drive(), kLevels);  // mended, should a test have left it cut short
    }

    static std::unique_ptr<Platform> OverTheChain(test::TempTree& tree) {
        fs::create_directory_symlink(chain_->Root(), tree / "drive");
        return test::MakeTestPlatform(tree);
    }
    static fs::path Drive() { return chain_->Root(); }
    void Write(int level, const std::string& name, std::string_view text = "x") {
        WriteAt(Drive(), level, name, text);
        written_.emplace_back(level, name);
    }
    std::vector<std::string> Walk(const test::TmpFileSearch& search) {
        session.results.Clear();
        search.run(session, view);
        return test::ShownEntries(session.results);
    }

    static inline test::TempTree* chain_ = nullptr;
    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingView view;

private:
    std::vector<std::pair<int, std::string>> written_;
};

TEST_F(DeepTreeTest, WalksEnterAtMostTheirDeepestLevelHoldingOneHandlePerLevel) {
    for (int level : {1, kDeepestWalkedLevel, kDeepestWalkedLevel + 1, kLevels})
        Write(level, "at" + std::to_string(level) + ".tmp");
    const int before = OpenHandles();
    OpenFileLimit room(before + kRoomForTheDeepestWalk);
    if (!room) GTEST_SKIP() << "the hard limit on open files leaves no room for the walk";
    // Counted once in each folder, as soon as the walk lists it.
    int mostHeld = 0;
    std::size_t foldersShown = 0;
    view.onPump = [&] {
        if (view.statusHistory.size() == foldersShown) return;
        foldersShown = view.statusHistory.size();
        mostHeld = std::max(mostHeld, OpenHandles() - before);
    };

    const std::string deepest = std::to_string(kDeepestWalkedLevel);
    const auto expected = UnorderedElementsAre("1:at1.tmp", deepest + ":at" + deepest + ".tmp");
    for (const test::TmpFileSearch& search : test::kTmpFileSearches)
        EXPECT_THAT(LevelsAndNames(Walk(search)), expected) << search.name;
    // The start folder and one per level below it.
    EXPECT_LE(mostHeld, kDeepestWalkedLevel + 1);
    EXPECT_EQ(OpenHandles(), before);
}

TEST_F(DeepTreeTest, TheScanForBrowserProfilesEntersAtMostTheDeepestLevelToo) {
    test::WriteWholeFile(Drive() / "Mozilla/profile/prefs.js", "x");
    CreateEmptyScanLog(session);
    const int before = OpenHandles();
    OpenFileLimit room(before + kRoomForTheDeepestWalk);
    if (!room) GTEST_SKIP() << "the hard limit on open files leaves no room for the scan";
    CountingBrowserScanView view(before);
    test::RecordingCommandWindow prompts;
    ScanDriveNow(session, view, prompts, 't');
    EXPECT_THAT(prompts.Texts(), ElementsAre(std::string(kScanCompletedMessage)));
    EXPECT_EQ(platform->Ini(session.dataFolder.ScanLogPath).ReadString(kProfileSection, "P1", ""),
              "t:\\Mozilla\\profile\\");
    EXPECT_LE(view.mostHeld, kDeepestWalkedLevel + 1);
    EXPECT_EQ(OpenHandles(), before);
}

TEST_F(DeepTreeTest, WhenHandlesRunOutTheWalkPassesOverWhatLiesDeeperAndGoesOn) {
    Write(1, "at1.tmp");
    Write(100, "at100.tmp");
    test::WriteWholeFile(Drive() / "side/side.tmp", "x");
    const int before = OpenHandles();
    {
        OpenFileLimit few(static_cast<rlim_t>(before + 40));
        ASSERT_TRUE(few);
        const auto expected = UnorderedElementsAre("1:at1.tmp", "0:side.tmp");
        for (const test::TmpFileSearch& search : test::kTmpFileSearches)
            EXPECT_THAT(LevelsAndNames(Walk(search)), expected) << search.name;
    }
    EXPECT_EQ(OpenHandles(), before);
}

TEST_F(DeepTreeTest, DetailsDeletionAndTheBinReachAFileBeyondTheLongestPath) {
    Write(kLevels, "bottom.tmp", "deep");
    Write(kLevels, "other.tmp", "gone");
    const std::string bottom = ChainPath(kLevels, "bottom.tmp");
    const std::string other = ChainPath(kLevels, "other.tmp");
    ASSERT_GT(bottom.size(), static_cast<std::size_t>(PATH_MAX));
    const int before = OpenHandles();
    test::RecordingCommandWindow window;

    test::AppendListed(session.results, session.platform.Files(), bottom);
    test::AppendListed(session.results, session.platform.Files(), other);
    session.results.SetCurrent(0);
    ShowFileDetails(session, window, window, [](auto) { return std::string("today"); });
    ASSERT_TRUE(window.details);
    EXPECT_EQ(window.details->name, "File Name: bottom.tmp");
    EXPECT_EQ(window.details->size, "File Size: 4");
    // No file manager is handed a folder it would take cut short.
    ExploreCurrentFolder(session, window);
    EXPECT_THAT(window.Texts(), ElementsAre("This folder could not be opened in explorer."));

    window.messages.clear();
    session.results.Highlight(1);
    DeletionContext deletion{session, window, window};
    DeleteHighlighted(deletion);
    EXPECT_THAT(window.Texts(),
                ElementsAre("All the files selected have been successfully removed."));
    EXPECT_EQ(ReadAt(Drive(), kLevels, "other.tmp"), std::nullopt);
    EXPECT_THAT(test::ShownEntries(session.results), ElementsAre(bottom));

    {  // the bin keeps its folders open as listed while it lives
        GarbageBin bin(*platform, session.dataFolder.DataFolderPath);
        ASSERT_EQ(bin.MoveIn(bottom).outcome, BinOutcome::Done);
        EXPECT_EQ(ReadAt(Drive(), kLevels, "bottom.tmp"), std::nullopt);
        std::vector<BinItem> items = bin.Items();
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].originalPath, bottom);
        // The last folders on its way back are gone meanwhile: they are made again.
        RemoveDeepestLevels(Drive(), 10);
        ASSERT_EQ(bin.Restore(items[0]), BinOutcome::Done);
        EXPECT_EQ(ReadAt(Drive(), kLevels, "bottom.tmp"), "deep");
        ASSERT_EQ(bin.MoveIn(bottom).outcome, BinOutcome::Done);
        EXPECT_EQ(bin.Remove(bin.Items().at(0)), BinOutcome::Done);
        EXPECT_THAT(bin.Items(), IsEmpty());
    }

    EXPECT_EQ(OpenHandles(), before);
}

TEST_F(DeepTreeTest, ActsOnFilesBeyondTheOpenFileLimitHoldingFewHandles) {
    Write(kLevels, "a.tmp");
    Write(kLevels, "b.tmp");
    Write(kLevels - 1, "c.tmp");
    const int before = OpenHandles();
    for (const char* name : {"a.tmp", "b.tmp"})
        test::AppendListed(session.results, session.platform.Files(), ChainPath(kLevels, name));
    test::AppendListed(session.results, session.platform.Files(), ChainPath(kLevels - 1, "c.tmp"));
    test::RecordingCommandWindow window;
    {
        OpenFileLimit few(static_cast<rlim_t>(before + 40));
        ASSERT_TRUE(few);
        DeletionContext deletion{session, window, window};
        HighlightAllAndDelete(deletion);
    }
    EXPECT_THAT(window.Texts(), ElementsAre("All the files selected have been successfully removed."));
    EXPECT_EQ(ReadAt(Drive(), kLevels, "a.tmp"), std::nullopt);
    EXPECT_EQ(ReadAt(Drive(), kLevels - 1, "c.tmp"), std::nullopt);
    EXPECT_EQ(OpenHandles(), before);
}

}  // namespace
}  // namespace vellomar
