#include "platform/DriveLetters.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/TempTree.h"

namespace vellomar {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;
using L = std::optional<char>;

TEST(ChooseLetters, ADriveKeepsItsLetterWhateverComesOrGoesBeforeIt) {
    const RememberedLetters remembered{{'d', "uuid:data"}, {'e', "uuid:home"}, {'f', "uuid:stick"}};
    // A new drive sorting first, the stick away: data and home stay put, the
    // newcomer passes over the stick's letter.
    LetterChoice choice = ChooseLetters({"uuid:aaa", "uuid:data", "uuid:home"}, remembered);
    EXPECT_THAT(choice.letters, ElementsAre(L('g'), L('d'), L('e')));
    EXPECT_EQ(choice.given, (RememberedLetters{{'g', "uuid:aaa"}}));
    // The stick back finds its letter.
    choice = ChooseLetters({"uuid:stick", "uuid:home"}, remembered);
    EXPECT_THAT(choice.letters, ElementsAre(L('f'), L('e')));
    EXPECT_TRUE(choice.given.empty());
}

TEST(ChooseLetters, WhenEveryLetterIsRememberedANewDriveTakesTheFirstOfADriveAway) {
    RememberedLetters remembered;
    for (char letter = 'd'; letter <= 'z'; ++letter) remembered[letter] = std::string("uuid:") + letter;
    LetterChoice choice = ChooseLetters({"uuid:d", "uuid:new", "uuid:f"}, remembered);
    EXPECT_THAT(choice.letters, ElementsAre(L('d'), L('e'), L('f')));
    EXPECT_EQ(choice.given, (RememberedLetters{{'e', "uuid:new"}}));
    // A drive that cannot be told again takes only letters nobody remembers.
    choice = ChooseLetters({"", "uuid:d"}, remembered);
    EXPECT_THAT(choice.letters, ElementsAre(std::nullopt, L('d')));
    choice = ChooseLetters({"", "uuid:new"}, {});
    EXPECT_THAT(choice.letters, ElementsAre(L('d'), L('e')));
    EXPECT_EQ(choice.given, (RememberedLetters{{'e', "uuid:new"}}));
}

TEST(ChooseLetters, TwentyThreeDrivesFillDToZAndTheNextGetsNone) {
    std::vector<std::string> identities;
    for (int i = 0; i < 24; ++i) identities.push_back("uuid:" + std::to_string(i));
    const LetterChoice choice = ChooseLetters(identities, {});
    EXPECT_EQ(choice.letters[0], 'd');
    EXPECT_EQ(choice.letters[22], 'z');
    EXPECT_EQ(choice.letters[23], std::nullopt);
}

// The store of letters is the POSIX layer's: Windows keeps its own letters.
#ifndef _WIN32
Drive DriveAt(const std::string& root, const std::string& identity) {
    return Drive{0, root, DriveKind::Fixed, "", "ext4", identity};
}

std::vector<std::pair<char, std::string>> Letters(const DriveTable& table) {
    std::vector<std::pair<char, std::string>> letters;
    for (const Drive& drive : table.Drives()) letters.emplace_back(drive.letter, drive.root);
    return letters;
}

using P = std::pair<char, std::string>;

class LetteredDrivesTest : public ::testing::Test {
protected:
    test::TempTree tree;
    RegistryStore store = RegistryStore::OfThisUser(tree.Root().string(), "c:");
};

TEST_F(LetteredDrivesTest, TheStoreKeepsLettersFromRunToRunAndTheRootIsC) {
    const Drive root = DriveAt("/", "uuid:root");
    const Drive data = DriveAt("/data", "uuid:data");
    const Drive home = DriveAt("/home", "uuid:home");
    EXPECT_THAT(Letters(LetteredDrives({root, data, home}, store)),
                ElementsAre(P{'c', "/"}, P{'d', "/data"}, P{'e', "/home"}));
    // A start that finds every drive remembered leaves the store as it was.
    const auto written = std::filesystem::last_write_time(tree / "vellomar-registry.ini");
    std::filesystem::last_write_time(tree / "vellomar-registry.ini", written - std::chrono::hours(1));
    LetteredDrives({root, home}, store);
    EXPECT_EQ(std::filesystem::last_write_time(tree / "vellomar-registry.ini"), written - std::chrono::hours(1));
    // A stick mounted before them in mount-point order, then gone; then an image of
    // no identity to remember.
    EXPECT_THAT(Letters(LetteredDrives({root, DriveAt("/aaa", "uuid:stick"), data, home}, store)),
                ElementsAre(P{'c', "/"}, P{'d', "/data"}, P{'e', "/home"}, P{'f', "/aaa"}));
    EXPECT_THAT(Letters(LetteredDrives({root, DriveAt("/b\nc", "folder:/b\nc"), home}, store)),
                ElementsAre(P{'c', "/"}, P{'e', "/home"}, P{'g', "/b\nc"}));
    // The stick back elsewhere; no root file system in the table at all.
    EXPECT_THAT(Letters(LetteredDrives({DriveAt("/media/x", "uuid:stick"), data}, store)),
                ElementsAre(P{'c', "/"}, P{'d', "/data"}, P{'f', "/media/x"}));
    EXPECT_EQ(store.ReadString("Software\\Quorvat\\Vellomar\\Drive Letters", "f"), "uuid:stick");
}

TEST_F(LetteredDrivesTest, AStoreThatCannotBeWrittenStillGivesTheLettersItRemembers) {
    LetteredDrives({DriveAt("/data", "uuid:data"), DriveAt("/home", "uuid:home")}, store);
    const RegistryStore unwritable = RegistryStore::OfThisUser((tree / "missing").string(), "c:");
    test::WriteWholeFile(tree / "missing", "");  // a file where the folder should be
    EXPECT_THAT(Letters(LetteredDrives({DriveAt("/x", "uuid:x")}, unwritable)),
                ElementsAre(P{'c', "/"}, P{'d', "/x"}));
    std::filesystem::permissions(tree / "vellomar-registry.ini", std::filesystem::perms::owner_read);
    EXPECT_THAT(Letters(LetteredDrives({DriveAt("/x", "uuid:x"), DriveAt("/home", "uuid:home")}, store)),
                ElementsAre(P{'c', "/"}, P{'e', "/home"}, P{'f', "/x"}));
}

// Runs of the program starting at one moment, each with a drive no other
// has: no two give one letter.
TEST_F(LetteredDrivesTest, RunsAtOnceNeverGiveOneLetterToTwoDrives) {
    constexpr int kRuns = 8;
    for (int round = 0; round < 2; ++round) {  // 16 drives: fewer than the letters d: to z:
        int start[2], letters[2];
        ASSERT_EQ(pipe(start), 0);
        ASSERT_EQ(pipe(letters), 0);
        std::vector<pid_t> runs;
        for (int run = 0; run < kRuns; ++run) {
            const pid_t pid = fork();
            if (pid == 0) {
                close(start[1]);
                char go;
                if (read(start[0], &go, 1) != 0) _exit(2);  // all start when the pipe closes
                const std::string name = "r" + std::to_string(round) + "-" + std::to_string(run);
                const DriveTable table = LetteredDrives({DriveAt("/" + name, "uuid:" + name)}, store);
                const char letter = table.Drives().back().letter;
                _exit(write(letters[1], &letter, 1) == 1 ? 0 : 1);
            }
            runs.push_back(pid);
        }
        close(start[0]);
        close(start[1]);
        close(letters[1]);
        std::string given;
        char letter;
        while (read(letters[0], &letter, 1) == 1) given += letter;
        close(letters[0]);
        for (pid_t pid : runs) waitpid(pid, nullptr, 0);
        ASSERT_EQ(given.size(), std::size_t(kRuns));
        std::sort(given.begin(), given.end());
        EXPECT_EQ(std::adjacent_find(given.begin(), given.end()), given.end()) << "round " << round << ": " << given;
    }
}
#endif

}  // namespace
}  // namespace vellomar
