// Walks over a drive that holds a system of its own: what the system owns and
// the desktop's trash are passed over by every walk, everything else is listed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NameSearch.h"
#include "scan/WalkFolder.h"
#include "support/RecordingScan.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::UnorderedElementsAre;

class SystemFilesWalkTest : public ::testing::Test {
protected:
    SystemFilesWalkTest()
        : platform(test::MakeTestPlatform(tree, (tree / "drive").generic_string())),
          session(*platform) {
        session.scan.ContinueScan = true;
        tree.AddAll({"drive/usr/lib/x86_64-linux-gnu/libfreebl3.chk", "drive/etc/xml/catalog.old",
                     "drive/usr/share/themes/Clearlooks/openbox-3/themerc.old",
                     "drive/usr/local/lib/mine.tmp", "drive/lib64/x.bak", "drive/var/lib/ucf/y.old",
                     "drive/opt/vendor/theme.old", "drive/opt/vendor/mine.old",
                     "drive/home/ann/notes.tmp", "drive/home/ann/.local/share/Trash/files/thrown.tmp",
                     "drive/home/ann/.local/share/Trash/info/thrown.tmp.trashinfo",
                     "drive/.Trash-1000/files/thrown.tmp", "drive/.Trash/0/files/thrown.tmp",
                     "drive/home/ann/.Trash-1000/kept.tmp", "drive/home/ann/Trash/kept.tmp"});
        test::WriteWholeFile(tree.AddFolder("drive/var/lib/dpkg/info") / "theme.list",
                             "/.\n/opt\n/opt/vendor\n/opt/vendor/theme.old\n");
    }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    test::RecordingView view;
};

TEST_F(SystemFilesWalkTest, TheGarbageWalkListsNeitherTheSystemsFilesNorTheTrash) {
    session.scan.FindGarbage = true;
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:");
    EXPECT_THAT(test::ShownEntries(session.results),
                UnorderedElementsAre("t:\\usr\\local\\lib\\mine.tmp", "t:\\opt\\vendor\\mine.old",
                                     "t:\\home\\ann\\notes.tmp", "t:\\home\\ann\\.Trash-1000\\kept.tmp",
                                     "t:\\home\\ann\\Trash\\kept.tmp"));
    // The system's own trees are not entered at all.
    for (const std::string& shown : view.statusHistory) {
        EXPECT_FALSE(shown.starts_with("t:\\etc")) << shown;
        EXPECT_FALSE(shown.starts_with("t:\\usr\\lib")) << shown;
    }
    // Nor is one where a walk starts, as on a drive that is the system's /boot.
    session.results.Clear();
    WalkFolder(session, view, FolderAdmission(session.quickSearch), "t:\\etc");
    EXPECT_TRUE(test::ShownEntries(session.results).empty());
}

TEST_F(SystemFilesWalkTest, TheNameSearchFindsNoneOfTheSystemsFilesNorWhatIsInTheTrash) {
    session.scan.NameSearchActive = true;
    FindFilesByName(session, view, "t:", NameQuery{".old", false, false});
    EXPECT_THAT(test::ShownEntries(session.results), UnorderedElementsAre("t:\\opt\\vendor\\mine.old"));
    session.results.Clear();
    FindFilesByName(session, view, "t:", NameQuery{"thrown.tmp", true, false});
    EXPECT_TRUE(test::ShownEntries(session.results).empty());
}

}  // namespace
}  // namespace vellomar
