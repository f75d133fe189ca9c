#include "cli/CliOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vellomar::cli {
namespace {

using ::testing::HasSubstr;

std::variant<CliOptions, CliUsageError> Parse(std::vector<std::string> args) {
    return ParseCliArguments(args);
}

std::string ErrorOf(std::vector<std::string> args) {
    const auto parsed = Parse(std::move(args));
    const auto* error = std::get_if<CliUsageError>(&parsed);
    return error ? error->message : "(parsed)";
}

TEST(CliOptionsTest, HelpAndVersionWinOverAnythingElseGiven) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"garbage", "-h"}, {"--bogus", "--help"}}) {
        const auto parsed = Parse(args);
        ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
        EXPECT_TRUE(std::get<CliOptions>(parsed).showHelp);
    }
    const auto parsed = Parse({"bin", "--version"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
    EXPECT_TRUE(std::get<CliOptions>(parsed).showVersion);
}

TEST(CliOptionsTest, DoubleDashEndsTheOptionsAndHelpCountsOnlyWhereAnOptionMayStand) {
    auto parsed = Parse({"--exact", "name", "--", "-x.tmp", "t:"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed)) << ErrorOf({"name", "--", "-x.tmp", "t:"});
    EXPECT_EQ(std::get<CliOptions>(parsed).nameQuery.text, "-x.tmp");
    EXPECT_EQ(std::get<CliOptions>(parsed).driveLetter, 't');

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"garbage", "t:", "--filter", "--help"},
          {"garbage", "t:", "--filter=-h"}, {"name", "t:", "--", "--help"},
          {"garbage", "--sort", "--version", "t:"}}) {
        parsed = Parse(args);
        if (const auto* options = std::get_if<CliOptions>(&parsed)) {
            EXPECT_FALSE(options->showHelp || options->showVersion) << args.back();
        }
    }
    parsed = Parse({"garbage", "t:", "--filter", "--help"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
    EXPECT_EQ(std::get<CliOptions>(parsed).filters.size(), 1u);
    EXPECT_THAT(ErrorOf({"name", "--help", "--", "t:"}), HasSubstr("(parsed)"));
    EXPECT_THAT(ErrorOf({"garbage", "--", "--print0", "t:"}), HasSubstr("expected a command and a drive"));
}

TEST(CliOptionsTest, SearchOptionsAreTakenForEverySearchAndRefusedElsewhere) {
    const auto parsed = Parse({"--older-than=12h", "name", "x", "t:", "--to-bin", "--yes",
                               "--format", "json"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed)) << ErrorOf({});
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.olderThan, std::chrono::seconds(std::chrono::hours(12)));
    EXPECT_TRUE(options.moveAllToBin && options.answerYes);
    EXPECT_EQ(options.format, OutputFormat::Json);
    EXPECT_TRUE(std::holds_alternative<CliOptions>(Parse({"internet", "--print0"})));

    EXPECT_THAT(ErrorOf({"totals", "--older-than", "3d"}), HasSubstr("--older-than goes with a search"));
    EXPECT_THAT(ErrorOf({"drives", "--print0"}), HasSubstr("--print0 goes with a search"));
    EXPECT_THAT(ErrorOf({"scan-browsers", "t:", "--filter", "x"}), HasSubstr("--filter goes with a search"));
    EXPECT_THAT(ErrorOf({"bin", "list", "--to-bin"}), HasSubstr("--to-bin goes with a search"));
}

TEST(CliOptionsTest, RefusesOptionsThatContradictOrLackAValue) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"garbage", "t:", "--older-than"}, "--older-than needs days, hours or minutes"},
        {{"garbage", "t:", "--older-than", "2w"}, "not: 2w"},
        {{"garbage", "t:", "--older-than=1d", "--older-than=2d"}, "may be given once"},
        {{"garbage", "t:", "--format", "csv"}, "--format needs tsv or json, not: csv"},
        {{"garbage", "t:", "--print0", "--format", "tsv"}, "exclude each other"},
        {{"garbage", "t:", "--format=tsv", "--print0"}, "exclude each other"},
        {{"garbage", "t:", "--delete", "--to-bin"}, "exclude each other"},
        {{"garbage", "t:", "--yes"}, "--yes goes with --delete or --to-bin"},
    };
    for (const auto& [args, message] : mistakes) EXPECT_THAT(ErrorOf(args), HasSubstr(message));
}

TEST(CliOptionsTest, BinTakesAnActionAndItsItems) {
    const auto parsed = Parse({"bin", "delete", "a1", "b2", "--yes"});
    ASSERT_TRUE(std::holds_alternative<CliOptions>(parsed));
    const CliOptions& options = std::get<CliOptions>(parsed);
    EXPECT_EQ(options.binAction, "delete");
    EXPECT_EQ(options.binIds, (std::vector<std::string>{"a1", "b2"}));

    EXPECT_THAT(ErrorOf({"bin"}), HasSubstr("bin needs list, restore, delete or empty"));
    EXPECT_THAT(ErrorOf({"bin", "shred"}), HasSubstr("unknown bin command: shred"));
    EXPECT_THAT(ErrorOf({"bin", "restore"}), HasSubstr("needs the id of an item"));
    EXPECT_THAT(ErrorOf({"bin", "list", "x"}), HasSubstr("bin list takes no item"));
    EXPECT_THAT(ErrorOf({"bin", "restore", "x", "--yes"}), HasSubstr("--yes goes with bin delete"));
    EXPECT_THAT(ErrorOf({"bin", "list", "--exact"}), HasSubstr("goes with the name command"));
    EXPECT_THAT(ErrorOf({"drives", "t:"}), HasSubstr("drives takes no drive"));
}

}  // namespace
}  // namespace vellomar::cli
