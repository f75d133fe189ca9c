// The start-up sequence over damaged settings and a hostile disk: binary
// garbage in every file it reads, folders and pipes where its files should be,
// a data folder it may not write, and a disk that fills at any byte of any
// write. The start either completes or ends at the failed write with its
// message, never hangs or crashes, and every file it writes is afterwards
// either wholly as it was or wholly as a complete start leaves it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/StartUp.h"
#include "platform/IniFile.h"
#include "support/FolderSnapshot.h"
#include "support/Portability.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"
#ifndef _WIN32
#include "support/PosixProcesses.h"
#endif

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using Message = std::pair<MessageKind, std::string>;
using namespace std::string_literals;

constexpr std::string_view kSettingsKey = "Software\\Quorvat\\Settings";

class CountingStartUpPrompts final : public StartUpPrompts, public QuickSearchStatusView {
public:
    void ShowScanDriveWindow() override { ++scanDriveWindows; }
    bool ShowAdministratorNotice() override {
        ++notices;
        return false;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }
    void ShowQuickSearchStatus(const QuickSearchStatus& status) override {
        statusLines.emplace_back(status.line1);
    }

    int scanDriveWindows = 0;
    int notices = 0;
    std::vector<Message> messages;
    std::vector<std::string> statusLines;
};

// One run of the program over its own temporary folders.
struct ProgramRun {
    ProgramRun() : platform(test::MakeTestPlatform(tree)), session(*platform) {}
    void Start() { RunStartUpSequence(session, prompts, prompts); }

    fs::path Data(std::string_view name = {}) const { return tree / "home/.config/Velmo" / name; }
    fs::path Registry() const { return tree / "home/.config/vellomar-registry.ini"; }

    test::TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    CountingStartUpPrompts prompts;
};

std::string Unwritable(std::string_view name) {
    return "Unable to write to u:\\.config\\Velmo\\" + std::string(name);
}

// Every byte value, line breaks of both kinds, stray brackets and equals
// signs, and one line far longer than any value may be.
std::string Garbage() {
    std::string text;
    for (int round = 0; round < 4; ++round)
        for (int byte = 0; byte < 256; ++byte) text.push_back(static_cast<char>(byte * 7 + round));
    text += "\n[\n]\n=\n[Info\n==x\r\n[Status]\nSearch=Both\0windows\n"s;
    text += std::string(100000, 'g') + "\n\xff\xfe[]\n";
    return text;
}

TEST(StartUpFaults, BinaryGarbageInEveryFileNeverStopsTheStart) {
    ProgramRun run;
    for (const char* name : {"qsearch.ini", "Binsettings.ini", "vmscan4.ini"})
        test::WriteWholeFile(run.Data(name), Garbage());
    test::WriteWholeFile(run.Registry(), Garbage());

    run.Start();

    EXPECT_THAT(run.prompts.messages, IsEmpty());
    EXPECT_EQ(run.prompts.notices, 1);
    EXPECT_EQ(run.prompts.scanDriveWindows, 0);
    EXPECT_THAT(run.prompts.statusLines, ElementsAre("Quick search: OFF"));
    EXPECT_EQ(run.session.browserCaches.cacheFolders.Count(), 0u);
    // The files keep their garbage and now also hold what the start writes.
    const IniFile switches = run.platform->Ini("u:\\.config\\Velmo\\Binsettings.ini");
    for (const char* key : {"Vid", "Garb", "Tax"}) EXPECT_TRUE(switches.ReadBool("Info", key, false));
    EXPECT_EQ(switches.ReadString("Stored", "Name250", ""), "Null");
    EXPECT_EQ(run.platform->Registry().ReadInteger(kSettingsKey, "VistaMsgVM"), 1);
    EXPECT_EQ(test::ReadWholeFile(run.Data("vmscan4.ini")), Garbage());
}

// A file the start reads or writes that is a folder or a pipe instead: the
// start ends with the write it cannot make, and reads the others as empty.
struct NotAFile {
    const char* name;  // in the data folder
    bool pipe;         // else a folder
    std::vector<Message> messages;
    int notices;
    int scanDriveWindows;
};

class StartUpOverNotAFile : public ::testing::TestWithParam<NotAFile> {};

TEST_P(StartUpOverNotAFile, EndsOnlyAtAWriteItCannotMake) {
    const NotAFile& param = GetParam();
    ProgramRun run;
    test::WriteWholeFile(run.Data("vmscan4.ini"), "[P45]\n");
    const fs::path path = run.Data(param.name);
    fs::remove(path);
    if (param.pipe) PLANT_OR_SKIP(test::PlantNamedPipe(path));
    else fs::create_directory(path);

    run.Start();

    EXPECT_EQ(run.prompts.messages, param.messages);
    EXPECT_EQ(run.prompts.notices, param.notices);
    EXPECT_EQ(run.prompts.scanDriveWindows, param.scanDriveWindows);
    EXPECT_EQ(fs::status(path).type(), param.pipe ? fs::file_type::fifo : fs::file_type::directory);
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, StartUpOverNotAFile,
    ::testing::Values(
        NotAFile{"qsearch.ini", false, {{MessageKind::Error, Unwritable("qsearch.ini")}}, 0, 0},
        NotAFile{"qsearch.ini", true, {}, 1, 0},
        NotAFile{"Binsettings.ini", false, {{MessageKind::Error, Unwritable("Binsettings.ini")}}, 0, 0},
        NotAFile{"Binsettings.ini", true, {{MessageKind::Error, Unwritable("Binsettings.ini")}}, 0, 0},
        NotAFile{"vmscan4.ini", false, {}, 1, 1},
        NotAFile{"vmscan4.ini", true, {}, 1, 0},
        NotAFile{"../vellomar-registry.ini", true, {}, 1, 0}),
    [](const auto& info) {
        std::string name = fs::path(info.param.name).stem().string();
        std::erase(name, '-');
        return name + (info.param.pipe ? "Pipe" : "Folder");
    });

TEST(StartUpFaults, AReadOnlyDataFolderEndsTheStartAtItsFirstWriteAndKeepsEveryFile) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    ProgramRun run;
    test::WriteWholeFile(run.Data("qsearch.ini"), "[Status]\nSearch=Bothwindows\n");
    test::WriteWholeFile(run.Data("Binsettings.ini"), "[Info]\nVid=0\n");
    test::WriteWholeFile(run.Data("vmscan4.ini"), "[P45]\n");
    run.tree.MakeReadOnly("home/.config/Velmo");
    const std::vector<std::string> before = test::FolderSnapshot(run.Data());
    EXPECT_TRUE(test::RunAsUnprivilegedOwner(run.tree, [&] {
        run.Start();
        return run.prompts.messages ==
                   std::vector<Message>{{MessageKind::Error, Unwritable("Binsettings.ini")}} &&
               run.prompts.notices == 0 && run.session.quickSearch.QuickSearchOn;
    }));
    EXPECT_EQ(test::FolderSnapshot(run.Data()), before);  // nor a temporary file left
#endif
}

TEST(StartUpFaults, ALinkAnotherUserPlantedInTheDataFolderIsNotWrittenThrough) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    ProgramRun run;
    test::WriteWholeFile(run.Data("vmscan4.ini"), "[P45]\n");
    const fs::path rootsFile = run.tree / "roots-file";
    test::WriteWholeFile(rootsFile, "kept as it is\n");
    fs::create_symlink(rootsFile, run.Data("Binsettings.ini"));
    ASSERT_EQ(::lchown(run.Data("Binsettings.ini").c_str(), 65534, 65534), 0);

    run.Start();

    EXPECT_THAT(run.prompts.messages,
                ElementsAre(Message{MessageKind::Error, Unwritable("Binsettings.ini")}));
    EXPECT_EQ(test::ReadWholeFile(rootsFile), "kept as it is\n");
    EXPECT_TRUE(fs::is_symlink(run.Data("Binsettings.ini")));
#endif
}

TEST(StartUpFaults, ADataFolderReachedThroughAnotherUsersLinkIsNeitherMadeNorWritten) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoOtherUser;
#else
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link to another user needs root";
    // The data folder itself, and a folder higher on its path.
    for (const std::string replaced : {"home/.config/Velmo", "home/.config"}) {
        ProgramRun run;
        const fs::path elsewhere = run.tree.AddFolder("elsewhere");
        fs::remove_all(run.tree / replaced);
        fs::create_symlink(elsewhere, run.tree / replaced);
        ASSERT_EQ(::lchown((run.tree / replaced).c_str(), 65534, 65534), 0);

        run.Start();

        EXPECT_THAT(test::FolderSnapshot(elsewhere), IsEmpty()) << replaced;
        ASSERT_THAT(run.prompts.messages, Not(IsEmpty())) << replaced;
        EXPECT_EQ(run.prompts.messages[0].first, MessageKind::Warning);
        EXPECT_THAT(run.prompts.messages[0].second,
                    HasSubstr("is not used: a name on its path is a symbolic link that another "
                              "user owns"));
    }
#endif
}

#ifndef _WIN32  // the cases that use these fill the disk through a write limit
// The files a start writes, by where they lie below the temporary tree.
const std::vector<std::string> kWrittenFiles = {
    "home/.config/Velmo/qsearch.ini", "home/.config/Velmo/Binsettings.ini",
    "home/.config/vellomar-registry.ini"};

// A start after an earlier one, writing all three files: the Quick Search
// settings are missing and made first. Or, with them present, the switches are
// written first, then a registry that holds more than they do.
void PrepareLaterStart(ProgramRun& run, bool quickSearchSettingsPresent) {
    test::WriteWholeFile(run.Data("Binsettings.ini"), "[Info]\nCweb=0\n");
    test::WriteWholeFile(run.Data("vmscan4.ini"), "[P45]\n");
    if (!quickSearchSettingsPresent) return;
    test::WriteWholeFile(run.Data("qsearch.ini"), "[Status]\nSearch=Ignoreboth\n");
    std::string registry = "[Software\\Other]\n";
    for (int value = 0; value < 500; ++value) registry += "Value" + std::to_string(value) + "=sz:text\n";
    test::WriteWholeFile(run.Registry(), registry);
}

std::map<std::string, std::optional<std::string>> WrittenFiles(const ProgramRun& run) {
    std::map<std::string, std::optional<std::string>> files;
    for (const std::string& name : kWrittenFiles) {
        const fs::path path = run.tree / name;
        files[name] = fs::exists(path) ? std::optional(test::ReadWholeFile(path)) : std::nullopt;
    }
    return files;
}
#endif

class StartUpOnAFillingDisk : public ::testing::TestWithParam<bool> {};

TEST_P(StartUpOnAFillingDisk, LeavesEachFileWhollyOldOrWhollyNew) {
#ifdef _WIN32
    GTEST_SKIP() << test::kNoWriteLimit;
#else
    ProgramRun before;
    PrepareLaterStart(before, GetParam());
    const auto oldFiles = WrittenFiles(before);
    ProgramRun complete;
    PrepareLaterStart(complete, GetParam());
    complete.Start();
    ASSERT_THAT(complete.prompts.messages, IsEmpty());
    const auto newFiles = WrittenFiles(complete);

    for (std::size_t limit : {0, 1, 30, 100, 1000, 2000, 3000, 4000, 5000, 6000, 8000, 10000, 12000, 16000}) {
        SCOPED_TRACE("writes cut off after " + std::to_string(limit) + " bytes");
        ProgramRun run;
        PrepareLaterStart(run, GetParam());
        {
            test::FileSizeLimit full(limit);
            run.Start();
        }
        const auto files = WrittenFiles(run);
        std::optional<std::string> firstOld;  // the first file, in the order written, not new
        for (const std::string& name : kWrittenFiles) {
            EXPECT_TRUE(files.at(name) == oldFiles.at(name) || files.at(name) == newFiles.at(name))
                << name;
            if (files.at(name) != newFiles.at(name) && !firstOld) firstOld = name;
        }
        // Only the data folder's own files end the start, each with its message.
        if (firstOld && !firstOld->ends_with("registry.ini")) {
            EXPECT_THAT(run.prompts.messages,
                        ElementsAre(Message{MessageKind::Error,
                                            Unwritable(fs::path(*firstOld).filename().string())}));
            EXPECT_EQ(run.prompts.notices, 0);
        } else {
            EXPECT_THAT(run.prompts.messages, IsEmpty());
            EXPECT_EQ(run.prompts.notices, 1);
        }
        // No temporary file is left beside them.
        for (const fs::path& folder : {run.Data(), run.tree / "home/.config"})
            for (const auto& entry : fs::directory_iterator(folder))
                EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr(".tmp")));
    }
#endif
}

INSTANTIATE_TEST_SUITE_P(AfterAnEarlierStart, StartUpOnAFillingDisk, ::testing::Bool(),
                         [](const auto& info) {
                             return info.param ? "WithQuickSearchSettings" : "WithoutQuickSearchSettings";
                         });

}  // namespace
}  // namespace vellomar
