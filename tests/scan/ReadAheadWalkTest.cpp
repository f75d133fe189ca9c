// The walk reads folders ahead on other threads, yet must list exactly what a
// one-thread depth-first walk lists, in the same order; and what it read
// ahead must not outlive other work that may have changed the disk, nor be
// trusted for long when another process may have changed it.

#include <dirent.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "quicksearch/FolderAdmission.h"
#include "scan/WalkFolder.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

// A view that lets no other work run, as the command line's.
class QuietView : public test::RecordingView {
public:
    std::optional<std::uint64_t> OtherWorkRounds() const override { return rounds; }
    std::uint64_t rounds = 0;
};

enum class Wanted { Garbage, ZeroByte };

// The one-thread depth-first walk, in the order the folders list: writable
// regular files, "Garbage Bin" and links passed over.
void WalkInListingOrder(const fs::path& folder, const std::string& drivePath, Wanted wanted,
                        std::vector<std::string>& found) {
    DIR* listing = opendir(folder.c_str());
    ASSERT_NE(listing, nullptr);
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info;
        ASSERT_EQ(fstatat(dirfd(listing), name.c_str(), &info, AT_SYMLINK_NOFOLLOW), 0);
        const std::string path = drivePath + "\\" + name;
        if (S_ISDIR(info.st_mode)) {
            if (name != "Garbage Bin") WalkInListingOrder(folder / name, path, wanted, found);
        } else if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR)) {
            if (wanted == Wanted::Garbage ? name.ends_with(".tmp") : info.st_size == 0) found.push_back(path);
        }
    }
    closedir(listing);
}

void AddEmptyFile(const fs::path& path) { close(open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644)); }

class ReadAheadWalkTest : public ::testing::TestWithParam<Wanted> {
protected:
    ReadAheadWalkTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {
        session.scan.ContinueScan = true;
        (GetParam() == Wanted::Garbage ? session.scan.FindGarbage : session.scan.FindZeroByte) = true;
    }
    ~ReadAheadWalkTest() override { EXPECT_EQ(chdir("/"), 0); }  // the walk leaves the process in a listed folder

    std::vector<std::string> Walk(test::RecordingView& view) {
        WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
        return test::ShownEntries(session.results);
    }
    std::vector<std::string> Expected() {
        std::vector<std::string> found;
        WalkInListingOrder(tree / "drive", "t:", GetParam(), found);
        return found;
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
};

TEST_P(ReadAheadWalkTest, ListsWhatAOneThreadWalkListsInItsOrder) {
    // Folders of every width and depth, with files of every kind the walk tells apart.
    std::mt19937 random(20261209);
    std::vector<fs::path> folders{tree.AddFolder("drive")};
    for (int i = 0; i < 400; ++i) {
        const fs::path parent = folders[random() % folders.size()];
        const std::string name = i % 97 == 0 ? "Garbage Bin" : "f" + std::to_string(random() % 1000);
        if (fs::exists(parent / name)) continue;
        folders.push_back(parent / name);
        fs::create_directory(folders.back());
    }
    for (const fs::path& folder : folders) {
        for (int j = 0, files = static_cast<int>(random() % 30); j < files; ++j) {
            const fs::path file = folder / ("n" + std::to_string(random() % 500) + (random() % 3 ? ".tmp" : ".txt"));
            test::WriteWholeFile(file, std::string(random() % 3, 'x'));
            if (random() % 11 == 0) fs::permissions(file, fs::perms::owner_read);
        }
        if (random() % 13 == 0) fs::create_directory_symlink(folders.front(), folder / "loop");
    }
    const std::vector<std::string> expected = Expected();
    ASSERT_GT(expected.size(), 100u);

    QuietView quiet;  // what readers read is trusted
    EXPECT_EQ(Walk(quiet), expected);
    session.results.Clear();
    test::RecordingView busy;  // every call may have let other work run
    EXPECT_EQ(Walk(busy), expected);
}

TEST_P(ReadAheadWalkTest, AFolderLongerThanAReaderHoldsIsListedWholeInOrder) {
    const fs::path big = tree.AddFolder("drive/big");
    for (int i = 0; i < 70000; ++i) AddEmptyFile(big / ("e" + std::to_string(i) + ".tmp"));
    for (int i = 0; i < 20; ++i) tree.AddFile("drive/big/sub" + std::to_string(i) + "/s.tmp", 0);
    tree.AddFile("drive/after/z.tmp", 0);

    QuietView quiet;
    EXPECT_EQ(Walk(quiet), Expected());
}

TEST_P(ReadAheadWalkTest, WhatWasReadBeforeOtherWorkRanIsReadAgain) {
    for (const char* folder : {"a", "z"}) {
        for (int i = 0; i < 50; ++i) tree.AddFile("drive/" + std::string(folder) + "/" + std::to_string(i) + ".tmp", 0);
        tree.AddFile("drive/" + std::string(folder) + "/kept/k.tmp", 0);
    }
    // As the walk shows the first folder, the readers are given time to read
    // the other, then work runs that removes the other's files.
    QuietView view;
    std::string other;
    view.onStatus = [&] {
        if (view.rounds > 0) return;
        other = view.statusHistory.front() == "t:\\a" ? "z" : "a";
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (int i = 0; i < 50; ++i) fs::remove(tree / "drive" / other / (std::to_string(i) + ".tmp"));
        ++view.rounds;
    };
    const std::vector<std::string> found = Walk(view);
    EXPECT_EQ(found.size(), 52u);
    EXPECT_THAT(found, ::testing::Contains("t:\\" + other + "\\kept\\k.tmp"));
}

// The names of a folder in the order its listing gives them.
std::vector<std::string> ListingOrder(const fs::path& folder) {
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    while (const dirent* entry = listing ? readdir(listing) : nullptr) names.emplace_back(entry->d_name);
    if (listing) closedir(listing);
    return names;
}

TEST_P(ReadAheadWalkTest, WhatAnotherProcessChangedBeforeTheWalkCameIsWhatItLists) {
    for (const char* folder : {"a", "z"}) {
        for (int i = 0; i < 20; ++i) tree.AddFile("drive/" + std::string(folder) + "/old" + std::to_string(i) + ".tmp", 0);
        tree.AddFile("drive/" + std::string(folder) + "/kept.tmp", 0);
        tree.AddFile("drive/" + std::string(folder) + "/deep/d.tmp", 0);
    }
    for (int i = 0; i < 40; ++i) tree.AddFile("drive/r" + std::to_string(i) + ".tmp", 0);
    // The root's files the walk reaches only after the first folder it enters.
    const std::vector<std::string> rootOrder = ListingOrder(tree / "drive");
    const auto firstFolder = std::find_if(rootOrder.begin(), rootOrder.end(),
                                          [](const std::string& name) { return name == "a" || name == "z"; });
    std::string laterRootFiles;
    for (auto name = firstFolder; name != rootOrder.end(); ++name)
        if (name->starts_with("r")) laterRootFiles += " " + *name;
    ASSERT_FALSE(laterRootFiles.empty());

    // As the walk shows its first folder, the readers are given time to read
    // the other; then another process changes it and the root's later files,
    // and the walk goes on after longer than it trusts what was read.
    QuietView view;
    std::string other;
    view.onStatus = [&] {
        if (!other.empty()) return;
        other = view.statusHistory.front() == "t:\\a" ? "z" : "a";
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string script = "cd '" + (tree / "drive").string() + "' && rm" + laterRootFiles +
                                   " && cd " + other + " && rm old*.tmp deep/d.tmp && : >new.tmp && "
                                   ": >deep/new.tmp && printf x >kept.tmp";
        ASSERT_EQ(std::system(script.c_str()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    };
    const std::vector<std::string> found = Walk(view);
    // Nothing changes after the other process: the disk is as the walk found it.
    EXPECT_EQ(found, Expected());
    EXPECT_THAT(found, ::testing::Contains("t:\\" + other + "\\deep\\new.tmp"));
    EXPECT_THAT(found, ::testing::Not(::testing::Contains("t:\\" + other + "\\old0.tmp")));
}

INSTANTIATE_TEST_SUITE_P(EachSearch, ReadAheadWalkTest, ::testing::Values(Wanted::Garbage, Wanted::ZeroByte),
                         [](const auto& info) { return info.param == Wanted::Garbage ? "Garbage" : "ZeroByte"; });

}  // namespace
}  // namespace vellomar
