#include "scan/Categories.h"

#include <gtest/gtest.h>

#include <cctype>

namespace vellomar {
namespace {

TEST(ExtensionKey, TakesTheLastExtensionUpperCasedAndCutToFourCharacters) {
    EXPECT_EQ(ExtensionKey("Report.html"), ".HTM");
    EXPECT_EQ(ExtensionKey("photo.jpeg"), ".JPE");
    EXPECT_EQ(ExtensionKey("return.tax2008"), ".TAX");
    EXPECT_EQ(ExtensionKey("a.b.tmp"), ".TMP");
    EXPECT_EQ(ExtensionKey("x.js"), ".JS");
    EXPECT_EQ(ExtensionKey("x."), ".");
    EXPECT_EQ(ExtensionKey(".bashrc"), ".BAS");
}

TEST(ExtensionKey, IsEmptyWithoutAnExtensionOfTheFileItself) {
    EXPECT_EQ(ExtensionKey("README"), "");
    EXPECT_EQ(ExtensionKey("c:\\old.bak\\README"), "");
    EXPECT_EQ(ExtensionKey("c:\\old.bak\\notes.txt"), ".TXT");
    EXPECT_EQ(ExtensionKey("c:"), "");
    EXPECT_EQ(ExtensionKey("x.y:z"), "");
}

TEST(ExtensionKey, UpperCasesOnlyAsciiLetters) {
    EXPECT_EQ(ExtensionKey("a.\xc3\xa9t"), ".\xc3\xa9T");  // é is left as it is
}

TEST(GarbageFiles, AreKnownExtensionsOrATildeRightAfterTheDot) {
    for (const char* name : {"a.tmp", "A.TMP", "b.bak", "c.chk", "d.---", "e.old", "f.gid",
                             "setup.~dp", "x.~", "y.~1", "x.~~", "a.b.tmp", "z.tmpx"})
        EXPECT_TRUE(IsGarbageFile(name)) << name;
    for (const char* name : {"x.t~p", "x.", "README", "x.tm", "tmp", "~x.txt"})
        EXPECT_FALSE(IsGarbageFile(name)) << name;
}

TEST(PictureFiles, AreJudgedByKeyForPathsAndBareNames) {
    EXPECT_TRUE(IsPictureFile("photo.jpeg"));
    EXPECT_TRUE(IsPictureFile("c:\\cache\\img.PNG"));
    EXPECT_TRUE(IsPictureFile("scan.tiff"));
    EXPECT_FALSE(IsPictureFile("c:\\pics.jpg\\readme"));
    EXPECT_FALSE(IsPictureFile("image.svg"));
}

struct RowCase {
    Category category;
    const char* name;
    bool fits;
};

void PrintTo(const RowCase& row, std::ostream* out) {
    *out << row.name << (row.fits ? " fits" : " does not fit") << " row "
         << static_cast<int>(row.category);
}

class CategoryRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(CategoryRows, FitByName) {
    const RowCase& row = GetParam();
    EXPECT_EQ(NameFitsCategory(row.category, ExtensionKey(row.name), row.name), row.fits)
        << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, CategoryRows,
    ::testing::Values(
        RowCase{Category::Webpages, "Report.html", true}, RowCase{Category::Webpages, "report.HTM", true},
        RowCase{Category::Webpages, "app.js", true}, RowCase{Category::Webpages, "data.json", false},
        RowCase{Category::Webpages, "feed.xml", true}, RowCase{Category::Documents, "notes.docx", true},
        RowCase{Category::Documents, "a.PDF", true}, RowCase{Category::Documents, "a.odt", false},
        RowCase{Category::Videos, "clip.mpeg", true}, RowCase{Category::Videos, "clip.mp4", false},
        RowCase{Category::Sounds, "song.mp3", true}, RowCase{Category::Sounds, "x.aac", true},
        RowCase{Category::Screensavers, "s.scr", true}, RowCase{Category::Zips, "a.zip", true},
        RowCase{Category::Zips, "a.7z", false}, RowCase{Category::IniDat, "Binsettings.ini", false},
        RowCase{Category::IniDat, "binsettings.ini", true}, RowCase{Category::IniDat, "x.DAT", true},
        RowCase{Category::Logs, "setup.log", true}, RowCase{Category::Logs, "setup.logs", true},
        RowCase{Category::Tax, "return.t05", true}, RowCase{Category::Tax, "return.t10", false},
        RowCase{Category::Tax, "return.tax2008", true}, RowCase{Category::Tax, "x.bk8", true},
        RowCase{Category::Tax, "x.t00", false}, RowCase{Category::Bookmarks, "bookmarks.html", true},
        RowCase{Category::Bookmarks, "BookMarks.HTML", true}, RowCase{Category::Bookmarks, "bookmark.htm", false},
        RowCase{Category::Bookmarks, "site.url", true}, RowCase{Category::Bookmarks, "bookmarks.htm", false},
        RowCase{Category::Garbage, "x.tmp", true}, RowCase{Category::Pictures, "x.gif", true},
        RowCase{Category::ZeroByte, "x.tmp", false}),
    [](const ::testing::TestParamInfo<RowCase>& info) {
        std::string name = std::to_string(info.index) + "_";
        for (char c : std::string_view(info.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ActiveCategories, KeepTheWalkOrderWhateverFlagsAreSet) {
    ScanState scan;
    scan.FindBookmarks = scan.FindZeroByte = scan.FindGarbage = true;
    ActiveCategories active = ActiveCategories::Of(scan);
    ASSERT_EQ(active.count, 3u);
    EXPECT_EQ(active.order[0], Category::Garbage);
    EXPECT_EQ(active.order[1], Category::ZeroByte);
    EXPECT_EQ(active.order[2], Category::Bookmarks);
    EXPECT_TRUE(active.zeroByte);
}

TEST(ActiveCategories, EachCategoryHasItsOwnFlag) {
    for (std::size_t row = 0; row < kWalkCategoryCount; ++row) {
        ScanState scan;
        scan.*CategoryFlag(static_cast<Category>(row)) = true;
        ActiveCategories active = ActiveCategories::Of(scan);
        ASSERT_EQ(active.count, 1u);
        EXPECT_EQ(active.order[0], static_cast<Category>(row));
    }
}

}  // namespace
}  // namespace vellomar
