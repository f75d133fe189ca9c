#include "results/Sorting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/AsciiCase.h"
#include "results/ByteKeyOrder.h"
#include "support/ListedEntries.h"
#include "support/Portability.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

// Texts with their ASCII letters lowered, compared byte by byte, recording
// the texts it was given to order: the same order on every system.
class RecordingCollation final : public ListCollation {
public:
    std::vector<std::size_t> AscendingOrder(
        std::size_t count, const std::function<std::string(std::size_t)>& textAt) const override {
        texts.clear();
        const AppendKey lowered = [](const std::string& text, std::string& keys) {
            for (char c : text) keys.push_back(AsciiLower(c));
        };
        const auto recordedText = [&](std::size_t i) {
            texts.push_back(textAt(i));
            return texts.back();
        };
        return OrderByByteKeys(count, recordedText, [&] { return lowered; });
    }
    mutable std::vector<std::string> texts;
};

class RecordingSortView final : public SortView {
public:
    bool IgnoreCaseChecked() const override { return ignoreCase; }
    void ShowSortNotice() override { events.push_back("notice shown"); }
    void CloseSortNotice() override { events.push_back("notice closed"); }
    void SetSortButtonsEnabled(bool enabled) override {
        events.push_back(enabled ? "buttons enabled" : "buttons disabled");
    }
    void ShowStatus(std::string_view text) override { events.push_back("status " + std::string(text)); }
    void ProcessPendingMessages() override {
        events.push_back("pending messages");
        if (onPendingMessages) onPendingMessages();
    }
    void ShowListChange() override { events.push_back("list shown"); }
    void DescribeCurrentEntry() override { events.push_back("current described"); }

    bool ignoreCase = true;
    std::vector<std::string> events;
    std::function<void()> onPendingMessages;  // what the user did in the one yield
};

class RecordingPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    std::vector<std::pair<MessageKind, std::string>> messages;
};

class SortingTest : public ::testing::Test {
protected:
    SortingTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    void List(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) test::AppendListed(session.results, session.platform.Files(), entry);
    }
    void Sort(SortKind kind, bool ignoreCase = true) {
        SortList(session.results, platform->Files(), collation, kind, ignoreCase);
    }
    std::vector<std::string> Entries() const { return test::ShownEntries(session.results); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingCollation collation;
};

TEST_F(SortingTest, EachKindOrdersByItsKeyThenTheSeparatorAndTheEntry) {
    const std::vector<std::string> entries = {"t:\\b\\x.txt", "t:\\dir.d\\noext", "t:\\a\\y.txt",
                                              "t:\\c\\a.b.doc"};
    List(entries);
    Sort(SortKind::Extension);
    // A dot in a folder's name is no extension.
    EXPECT_THAT(collation.texts, ElementsAre(".txt:::t:\\b\\x.txt", ":::t:\\dir.d\\noext",
                                             ".txt:::t:\\a\\y.txt", ".doc:::t:\\c\\a.b.doc"));
    // Equal keys: the whole entry decides. (In byte order ':' follows '.'.)
    EXPECT_THAT(Entries(), ElementsAre("t:\\c\\a.b.doc", "t:\\a\\y.txt", "t:\\b\\x.txt",
                                       "t:\\dir.d\\noext"));

    Sort(SortKind::Name);
    EXPECT_THAT(collation.texts, Contains("noext:::t:\\dir.d\\noext"));
    EXPECT_THAT(Entries(), ElementsAre("t:\\c\\a.b.doc", "t:\\dir.d\\noext", "t:\\b\\x.txt",
                                       "t:\\a\\y.txt"));

    Sort(SortKind::Path);
    EXPECT_THAT(Entries(), ElementsAre("t:\\a\\y.txt", "t:\\b\\x.txt", "t:\\c\\a.b.doc",
                                       "t:\\dir.d\\noext"));
    EXPECT_THAT(collation.texts, Contains("t:\\c\\a.b.doc:::t:\\c\\a.b.doc"));
}

TEST_F(SortingTest, SizeKeysArePaddedToTenDigitsAndAVanishedFileIsMinusOne) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoTrailingBlanks;
#else
    tree.AddAll({"drive/five:5", "drive/seventy:70", "drive/twelve hundred:1200"});
    tree.AddFile("drive/blank at the end ", 3);  // looked up as named, blanks and all
    // Sparse: their sizes cost no disk.
    std::filesystem::resize_file(tree.AddFile("drive/twelve billion", 0), 12'000'000'000);
    std::filesystem::resize_file(tree.AddFile("drive/two billion", 0), 2'000'000'000);
    List({"t:\\twelve hundred", "t:\\two billion", "t:\\gone", "t:\\seventy", "t:\\twelve billion",
          "t:\\five", "t:\\blank at the end "});
    Sort(SortKind::Size);
    EXPECT_THAT(collation.texts,
                ElementsAre("0000001200:::t:\\twelve hundred", "2000000000:::t:\\two billion",
                            "00000000-1:::t:\\gone", "0000000070:::t:\\seventy",
                            "12000000000:::t:\\twelve billion", "0000000005:::t:\\five",
                            "0000000003:::t:\\blank at the end "));
    // Eleven digits are not padded, so twelve billion bytes come before two billion.
    EXPECT_THAT(Entries(), ElementsAre("t:\\gone", "t:\\blank at the end ", "t:\\five", "t:\\seventy",
                                       "t:\\twelve hundred", "t:\\twelve billion", "t:\\two billion"));
#endif
}

TEST_F(SortingTest, IgnoreCaseLowersTheEntriesThatComeBackButNotTheOrder) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoCaseTwins;
#else
    tree.AddAll({"drive/A.dat:5", "drive/a.dat:70"});
    List({"t:\\C.txt", "t:\\a.dat", "t:\\B.txt", "t:\\A.dat"});

    Sort(SortKind::Path, false);
    // Entries equal but for letter case keep their order.
    EXPECT_THAT(Entries(), ElementsAre("t:\\a.dat", "t:\\A.dat", "t:\\B.txt", "t:\\C.txt"));

    Sort(SortKind::Path, true);
    EXPECT_THAT(Entries(), ElementsAre("t:\\a.dat", "t:\\a.dat", "t:\\b.txt", "t:\\c.txt"));
    EXPECT_EQ(collation.texts[1], "t:\\a.dat:::t:\\a.dat");  // the key lowered too

    // Each entry still names the file it was found as: the lowered "A.dat" is
    // looked up as "A.dat", not as the other file that its text now names.
    Sort(SortKind::Size);
    EXPECT_EQ(session.results.FoundPath(0), "t:\\B.txt");
    EXPECT_EQ(session.results.FoundPath(2), "t:\\A.dat");
    EXPECT_THAT(collation.texts, ElementsAre("0000000070:::t:\\a.dat", "0000000005:::t:\\a.dat",
                                             "00000000-1:::t:\\b.txt", "00000000-1:::t:\\c.txt"));
#endif
}

TEST_F(SortingTest, AnEntryWhoseNameHoldsTheSeparatorComesBackWhole) {
    List({"t:\\z.txt", "t:\\a:::b.txt"});
    Sort(SortKind::Name);
    EXPECT_THAT(Entries(), ElementsAre("t:\\a:::b.txt", "t:\\z.txt"));
}

class SortCommandTest : public SortingTest {
protected:
    void Click(SortKind kind) {
        SortContext context{session, view, prompts, collation};
        SortButtonClick(context, kind);
    }

    RecordingSortView view;
    RecordingPrompts prompts;
};

TEST_F(SortCommandTest, YieldsOnceWithTheNoticeShownThenDescribesTheFirstEntry) {
    List({"t:\\b.txt", "t:\\C.txt", "t:\\a.txt"});
    session.results.Highlight(1);
    session.results.Highlight(2);
    view.onPendingMessages = [&] {
        // What the user does in the yield counts: the list gets a new entry and
        // "Ignore Case" is cleared.
        test::AppendListed(session.results, session.platform.Files(), "t:\\D.txt");
        view.ignoreCase = false;
    };
    Click(SortKind::Name);
    EXPECT_THAT(view.events,
                ElementsAre("notice shown", "buttons disabled", "status Sorting..... Please be patient.",
                            "pending messages", "buttons enabled", "status Sort is finished.",
                            "list shown", "current described", "notice closed"));
    EXPECT_THAT(Entries(), ElementsAre("t:\\a.txt", "t:\\b.txt", "t:\\C.txt", "t:\\D.txt"));
    EXPECT_EQ(session.results.HighlightedCount(), 1u);
    EXPECT_TRUE(session.results.IsHighlighted(0));
    EXPECT_EQ(session.results.Current(), 0u);
    EXPECT_THAT(prompts.messages, IsEmpty());
}

TEST_F(SortCommandTest, AnEmptyListIsOnlyReported) {
    Click(SortKind::Path);
    EXPECT_THAT(prompts.messages,
                ElementsAre(std::pair(MessageKind::Plain, std::string("The list is currently empty."))));
    EXPECT_THAT(view.events, IsEmpty());
}

TEST_F(SortCommandTest, AListEmptiedDuringTheYieldIsSortedWithNothingToDescribe) {
    List({"t:\\a.txt"});
    view.onPendingMessages = [&] { session.results.Clear(); };
    Click(SortKind::Extension);
    EXPECT_TRUE(session.results.Empty());
    EXPECT_THAT(view.events, Not(Contains("current described")));
    EXPECT_EQ(view.events.back(), "notice closed");
}

}  // namespace
}  // namespace vellomar
