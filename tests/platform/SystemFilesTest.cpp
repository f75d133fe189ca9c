// What the operating system owns: its trees, and the files its package lists
// name, read in the formats dpkg and pacman write them.

#include "platform/SystemFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

class SystemFilesTest : public ::testing::Test {
protected:
    std::string Root() const { return (tree / "system").generic_string(); }
    std::string At(std::string_view below) const { return Root() + "/" + std::string(below); }
    void WritePackageLists() {
        // As dpkg writes info/PACKAGE.list: every folder on the way, then the files.
        test::WriteWholeFile(tree.AddFolder("system/var/lib/dpkg/info") / "libnss3:amd64.list",
                             "/.\n/usr\n/usr/lib\n/usr/lib/x86_64-linux-gnu\n"
                             "/usr/lib/x86_64-linux-gnu/libfreebl3.chk\n/opt\n/opt/vendor\n"
                             "/opt/vendor/theme.old\n/opt/vendor/with blank.tmp\n");
        test::WriteWholeFile(tree / "system/var/lib/dpkg/info/ignored.md5sums",
                             "0123  opt/vendor/not-a-list.tmp\n");
        test::WriteWholeFile(tree / "system/var/lib/dpkg/diversions",
                             "/opt/vendor/tool.chk\n/opt/vendor/tool.chk.distrib\nother-package\n");
        // As pacman writes local/PACKAGE-VERSION/files: folders end with '/'.
        test::WriteWholeFile(tree.AddFolder("system/var/lib/pacman/local/theme-1.0-1") / "files",
                             "%FILES%\nopt/\nopt/arch/\nopt/arch/script.tmpl.bak\n\n"
                             "%BACKUP%\nopt/arch/backed-up.old\td41d8cd98f00b204e9800998ecf8427e\n");
    }

    test::TempTree tree;
};

TEST_F(SystemFilesTest, TheSystemsTreesAreItsOwnWholeButUsrLocalAndTheUsersFolders) {
    tree.AddFolder("system");
    const SystemFiles system(Root());
    EXPECT_TRUE(system.Owns(At("usr/lib/x86_64-linux-gnu"), "libfreebl3.chk"));
    EXPECT_TRUE(system.PlaceOf(At("etc/xml")).OwnsEverything());
    EXPECT_TRUE(system.Owns(At("lib64"), "ld.so.old"));
    EXPECT_TRUE(system.Owns(At("var/lib/dpkg"), "status-old"));
    EXPECT_TRUE(system.PlaceOf(At("boot")).Below("grub").OwnsEverything());
    // /usr holds /usr/local: it is entered, though every file in it is the system's.
    EXPECT_TRUE(system.Owns(At("usr"), "x.tmp"));
    EXPECT_FALSE(system.PlaceOf(At("usr")).OwnsEverything());
    EXPECT_FALSE(system.Owns(At("usr/local/share"), "x.tmp"));
    EXPECT_FALSE(system.PlaceOf(At("usr")).Below("local").Owns("x.tmp"));
    EXPECT_FALSE(system.Owns(At("home/ann"), "x.tmp"));
    EXPECT_FALSE(system.Owns(At("var/tmp"), "x.tmp"));
    // Below another root, or beside it under a longer name, nothing is the system's.
    EXPECT_FALSE(system.Owns(Root() + "x/etc", "x.old"));
    EXPECT_FALSE(system.Owns((tree / "elsewhere/etc").generic_string(), "x.old"));
}

TEST_F(SystemFilesTest, TheFilesThePackageListsNameAreTheSystemsWhereverTheyLie) {
    WritePackageLists();
    const SystemFiles system(Root());
    EXPECT_TRUE(system.Owns(At("opt/vendor"), "theme.old"));
    EXPECT_TRUE(system.Owns(At("opt/vendor"), "with blank.tmp"));
    EXPECT_TRUE(system.Owns(At("opt/vendor"), "tool.chk.distrib"));  // diverted there
    EXPECT_TRUE(system.Owns(At("opt/arch"), "script.tmpl.bak"));
    EXPECT_TRUE(system.PlaceOf(Root()).Below("opt").Below("arch").Owns("script.tmpl.bak"));
    // Another file beside them, a backup entry or an md5sums line is not listed as installed.
    EXPECT_FALSE(system.Owns(At("opt/vendor"), "mine.old"));
    EXPECT_FALSE(system.Owns(At("opt/arch"), "backed-up.old"));
    EXPECT_FALSE(system.Owns(At("opt/vendor"), "not-a-list.tmp"));
    EXPECT_FALSE(system.Owns(At("opt/vendor/deeper"), "theme.old"));
    EXPECT_FALSE(system.PlaceOf(At("opt/vendor")).OwnsEverything());
}

TEST_F(SystemFilesTest, TheListsAreReadOnceAndOnlyWhenAQuestionReachesBeyondTheLaidOutTrees) {
    tree.AddFolder("system");
    const SystemFiles system(Root());
    // The users' folders and the system's trees are answered without the lists:
    // written afterwards, they are still read at the first question that needs them.
    EXPECT_FALSE(system.Owns(At("home/ann"), "x.tmp"));
    EXPECT_TRUE(system.Owns(At("etc"), "x.old"));
    WritePackageLists();
    std::vector<std::thread> askers;
    std::vector<char> answers(4);
    for (std::size_t i = 0; i < answers.size(); ++i)
        askers.emplace_back([&, i] { answers[i] = system.Owns(At("opt/vendor"), "theme.old"); });
    for (std::thread& asker : askers) asker.join();
    EXPECT_EQ(answers, std::vector<char>(4, 1));
    // Read once: lists changed since are not read again.
    fs::remove_all(tree / "system/var/lib/dpkg");
    EXPECT_TRUE(system.Owns(At("opt/vendor"), "theme.old"));
}

TEST(SystemFilesOfThisMachine, RealPackageFilesAreTheSystemsAndTemporaryOnesAreNot) {
    if (!fs::is_directory("/var/lib/dpkg/info")) GTEST_SKIP() << "no dpkg database here";
    const SystemFiles system(SystemFiles::MachineRoot());
    EXPECT_TRUE(system.Owns("/etc/xml", "catalog.old"));
    EXPECT_TRUE(system.Owns("/usr/lib/x86_64-linux-gnu", "libfreebl3.chk"));
    // Outside the system's trees only what the real lists name: apt's cache folder, say.
    if (fs::is_directory("/var/cache/apt")) {
        EXPECT_TRUE(system.Owns("/var/cache", "apt"));
    }
    EXPECT_FALSE(system.Owns("/var/cache", "no such entry"));
    EXPECT_FALSE(system.Owns("/tmp", "x.tmp"));
    EXPECT_FALSE(system.Owns("/work", "x.tmp"));
}

}  // namespace
}  // namespace vellomar
