#include "results/Filtering.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/ListedEntries.h"
#include "support/ShownEntries.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RecordingFilterView final : public FilterView {
public:
    void ShowListChange() override { ++rebuilds; }
    int rebuilds = 0;
};

class RecordingPrompts final : public MessagePrompts {
public:
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    std::vector<std::pair<MessageKind, std::string>> messages;
};

class FilteringTest : public ::testing::Test {
protected:
    FilteringTest() : platform(test::MakeTestPlatform(tree)), session(*platform) {}

    void List(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) test::AppendListed(session.results, session.platform.Files(), entry);
    }
    void Click(std::string_view boxText) { CmdFilterClick(session, view, prompts, boxText); }
    std::vector<std::string> Entries() const { return test::ShownEntries(session.results); }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingFilterView view;
    RecordingPrompts prompts;
};

TEST_F(FilteringTest, KeepsInTheirOrderTheEntriesHoldingTheTextAnywhereWithoutRegardToCase) {
    List({"t:\\x\\b.DOC", "t:\\x\\c.txt", "t:\\Documents\\a.txt", "t:\\x\\d.doc.old"});
    session.results.Highlight(2);
    Click(" doc ");
    EXPECT_THAT(Entries(), ElementsAre("t:\\x\\b.DOC", "t:\\Documents\\a.txt", "t:\\x\\d.doc.old"));
    EXPECT_EQ(view.rebuilds, 1);
    EXPECT_EQ(session.results.HighlightedCount(), 0u);
    EXPECT_EQ(session.results.Current(), 0u);
    EXPECT_THAT(prompts.messages, IsEmpty());
}

TEST_F(FilteringTest, TheTextIsTrimmedOfBlanksAndControlsAndOnlyAsciiLettersChangeCase) {
    EXPECT_EQ(FilterText("\t doc\x01\n"), "DOC");
    EXPECT_EQ(FilterText("a b"), "A B");
    List({"t:\\Café", "t:\\CAFÉ"});
    FilterList(session.results, FilterText("café"));
    EXPECT_THAT(Entries(), ElementsAre("t:\\Café"));
}

TEST_F(FilteringTest, FiltersAccumulateAndOneThatMatchesNothingEmptiesTheList) {
    List({"t:\\a.doc", "t:\\b.doc", "t:\\a.txt"});
    Click("doc");
    Click("a");
    EXPECT_THAT(Entries(), ElementsAre("t:\\a.doc"));
    Click("txt");  // what the first filter took out stays out
    EXPECT_THAT(Entries(), IsEmpty());
    EXPECT_EQ(view.rebuilds, 3);
}

TEST_F(FilteringTest, AnUntouchedBoxFiltersByItsPlaceholder) {
    List({"t:\\my filter list.txt", "t:\\other.txt"});
    Click(kFilterPlaceholder);
    EXPECT_THAT(Entries(), ElementsAre("t:\\my filter list.txt"));
}

TEST_F(FilteringTest, ABlankBoxOnlyTellsHowToFilter) {
    List({"t:\\a.doc"});
    for (std::string_view blank : {"", "   ", "\t\r\n"}) Click(blank);
    EXPECT_THAT(Entries(), ElementsAre("t:\\a.doc"));
    EXPECT_EQ(view.rebuilds, 0);
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[0].first, MessageKind::Plain);
    EXPECT_EQ(prompts.messages[0].second,
              "Your filter box is empty. This option allows you to search your data list and show "
              "only the filtered data you want to see. For example, if you only want your list to "
              "show items with the word doc in the name, then simply enter doc in the box and "
              "click \"Ok\" to filter it.");
}

}  // namespace
}  // namespace vellomar
