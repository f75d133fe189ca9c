#include "quicksearch/FolderAdmission.h"

#include <gtest/gtest.h>

namespace vellomar {
namespace {

QuickSearchState Filters(bool onlyMode, std::vector<std::string> folders) {
    QuickSearchState state;
    state.QuickSearchOn = true;
    state.QuickSearchOnlyMode = onlyMode;
    (onlyMode ? state.window.onlyFolders : state.window.skipFolders) = std::move(folders);
    return state;
}

TEST(FolderListContains, FindsAnEntryAnywhereInThePathIgnoringAsciiCaseOnly) {
    EXPECT_TRUE(FolderListContains({"C:\\WINDOWS"}, "c:\\Windows\\System32"));
    EXPECT_TRUE(FolderListContains({"C:\\WINDOWS"}, "c:\\Windows.old"));
    EXPECT_TRUE(FolderListContains({"temp"}, "d:\\work\\TEMPLATES"));
    EXPECT_TRUE(FolderListContains({"x", "\\Docs"}, "c:\\docs"));
    EXPECT_FALSE(FolderListContains({}, "c:\\docs"));
    EXPECT_FALSE(FolderListContains({"C:\\"}, "c:"));  // the root as walks form it has no '\'
    // Letters beyond ASCII keep their case.
    EXPECT_FALSE(FolderListContains({"c:\\\u00c9t\u00e9"}, "c:\\\u00e9t\u00e9"));
    EXPECT_TRUE(FolderListContains({"C:\\\u00e9T\u00e9"}, "c:\\\u00e9t\u00e9"));
}

TEST(QuickSearchAdmitsFolder, WithTheFiltersOffEveryFolderIsAdmitted) {
    QuickSearchState state = Filters(false, {"c:"});
    state.QuickSearchOn = false;
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:\\anything"));
}

TEST(QuickSearchAdmitsFolder, BypassRefusesEveryFolderWhosePathHoldsAnEntry) {
    const QuickSearchState state = Filters(false, {"C:\\WINDOWS"});
    EXPECT_FALSE(QuickSearchAdmitsFolder(state, "c:\\Windows"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(state, "c:\\Windows\\System32"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(state, "c:\\WINDOWS.OLD"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:\\Program Files"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:"));
    // A drive root entry keeps the walk out of every folder, not out of the root.
    const QuickSearchState root = Filters(false, {"C:\\"});
    EXPECT_TRUE(QuickSearchAdmitsFolder(root, "c:"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(root, "c:\\a"));
}

TEST(QuickSearchAdmitsFolder, SearchOnlyAdmitsTheRootAndFoldersHoldingAnEntry) {
    const QuickSearchState state = Filters(true, {"C:\\Windows"});
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:\\windows"));
    EXPECT_TRUE(QuickSearchAdmitsFolder(state, "c:\\windows\\system32"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(state, "c:\\Program Files"));
    // An empty list leaves the root alone admitted.
    const QuickSearchState empty = Filters(true, {});
    EXPECT_TRUE(QuickSearchAdmitsFolder(empty, "c:"));
    EXPECT_FALSE(QuickSearchAdmitsFolder(empty, "c:\\a"));
}

TEST(FolderAdmission, SearchOnlyPassesThroughTheFoldersOnTheWayToAnEntry) {
    const FolderAdmission admission(Filters(true, {"C:\\Program Files\\Tools"}));
    EXPECT_EQ(admission.Admit("c:"), Admission::Admitted);
    EXPECT_EQ(admission.Admit("c:\\PROGRAM FILES"), Admission::PassThrough);
    EXPECT_EQ(admission.Admit("c:\\program files\\tools"), Admission::Admitted);
    EXPECT_EQ(admission.Admit("c:\\program files\\tools\\bin"), Admission::Admitted);
    EXPECT_EQ(admission.Admit("c:\\program files\\other"), Admission::Refused);
    EXPECT_EQ(admission.Admit("c:\\program"), Admission::Refused);  // a name's start leads nowhere
    EXPECT_FALSE(admission.Admits("c:\\program files"));
}

TEST(FolderAdmission, BypassNeverPassesThrough) {
    const FolderAdmission admission(Filters(false, {"c:\\a\\b"}));
    EXPECT_EQ(admission.Admit("c:\\a"), Admission::Admitted);
    EXPECT_EQ(admission.Admit("c:\\a\\b"), Admission::Refused);
}

}  // namespace
}  // namespace vellomar
