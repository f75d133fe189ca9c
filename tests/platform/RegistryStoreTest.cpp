#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::TempTree;
using test::WriteWholeFile;

const char kSettings[] = "Software\\Quorvat\\Settings";

class RegistryStoreTest : public ::testing::Test {
protected:
    TempTree tree;
    fs::path path = tree / "registry.ini";
    RegistryStore store{path.string(), "c:\\registry.ini"};
};

TEST_F(RegistryStoreTest, MissingStoreHoldsNothing) {
    EXPECT_FALSE(store.KeyExists(kSettings));
    EXPECT_EQ(store.ReadInteger(kSettings, "VistaMsgVM"), std::nullopt);
    EXPECT_EQ(store.ReadString(kSettings, "Dir"), std::nullopt);
    EXPECT_TRUE(store.Read().SubkeyNames("Software").empty());
}

TEST_F(RegistryStoreTest, CreateKeyAddsTheKeyAndItsPathOnce) {
    ASSERT_TRUE(store.CreateKey(kSettings));
    ASSERT_TRUE(store.CreateKey("SOFTWARE\\quorvat\\settings"));
    EXPECT_EQ(ReadWholeFile(path),
              "[Software]\n[Software\\Quorvat]\n[Software\\Quorvat\\Settings]\n");
    EXPECT_TRUE(store.KeyExists("software\\QUORVAT\\SETTINGS"));
    EXPECT_TRUE(store.KeyExists("Software\\Quorvat"));
    EXPECT_FALSE(store.KeyExists("Software\\Other"));
}

TEST_F(RegistryStoreTest, ValuesComeBackWithTheirTypeAndWholeText) {
    const std::string text = " c:\\x = y \"q\"\t ";
    ASSERT_TRUE(store.WriteInteger(kSettings, "VistaMsgVM", INT32_MIN));
    ASSERT_TRUE(store.WriteString(kSettings, "Dir", text));
    EXPECT_TRUE(store.KeyExists("Software\\Quorvat"));
    EXPECT_EQ(store.ReadInteger("software\\quorvat\\settings", "vistamsgvm"), INT32_MIN);
    EXPECT_EQ(store.ReadString(kSettings, "dir"), text);
    EXPECT_EQ(store.ReadString(kSettings, "VistaMsgVM"), std::nullopt);
    EXPECT_EQ(store.ReadInteger(kSettings, "Dir"), std::nullopt);
    EXPECT_EQ(store.ReadInteger(kSettings, "Missing"), std::nullopt);
    EXPECT_EQ(store.ReadInteger("Software\\Nowhere", "VistaMsgVM"), std::nullopt);
}

TEST_F(RegistryStoreTest, StoresTaggedValuesAndRewritesThemInPlace) {
    ASSERT_TRUE(store.WriteInteger("A", "n", 1));
    ASSERT_TRUE(store.WriteString("A", "t", "hi"));
    ASSERT_TRUE(store.WriteString("a", "N", "now text"));
    EXPECT_EQ(ReadWholeFile(path), "[A]\nN=sz:now text\nt=sz:hi\n");
    EXPECT_EQ(store.ReadInteger("A", "n"), std::nullopt);
}

TEST_F(RegistryStoreTest, ReadsOnlyWellFormedIntegers) {
    WriteWholeFile(path, "[K]\na=dword:12abc\nb=dword:\nc=DWORD:7\nd=dword:99999999999\ne=7\n");
    EXPECT_EQ(store.ReadInteger("K", "c"), 7);
    for (const char* name : {"a", "b", "d", "e"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store.ReadInteger("K", name), std::nullopt);
    }
    EXPECT_EQ(store.ReadString("K", "e"), std::nullopt);
}

TEST_F(RegistryStoreTest, SubkeyNamesListDirectChildrenOnceInStoredOrder) {
    WriteWholeFile(path,
                   "[Users]\n[Users\\]\n[users\\Zed]\n[Users\\ann]\n[Users\\ann\\deep]\n"
                   "[USERS\\ZED]\n[Usersx\\no]\n[Other\\Users\\no]\n[Users\\Bob]\nx=sz:y\n");
    EXPECT_EQ(store.Read().SubkeyNames("USERS"), (std::vector<std::string>{"Zed", "ann", "Bob"}));
    EXPECT_EQ(store.Read().SubkeyNames("users\\ANN"), std::vector<std::string>{"deep"});
    EXPECT_TRUE(store.Read().SubkeyNames("Users\\Bob").empty());
}

TEST_F(RegistryStoreTest, FailedWritesReportFalseAndChangeNothing) {
    RegistryStore nowhere((tree / "missing/registry.ini").string(), "c:\\missing\\registry.ini");
    EXPECT_FALSE(nowhere.CreateKey("A"));
    EXPECT_FALSE(nowhere.WriteInteger("A", "n", 1));
    EXPECT_FALSE(nowhere.WriteString("A", "t", "x"));

    ASSERT_TRUE(store.WriteInteger("A", "n", 1));
    const std::string before = ReadWholeFile(path);
    EXPECT_FALSE(store.WriteString("A", "bad=name", "x"));
    EXPECT_FALSE(store.WriteString("A", "n", "two\nlines"));
    EXPECT_FALSE(store.CreateKey("A]B"));
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_FALSE(fs::exists(tree / "missing"));
}

#ifndef _WIN32
TEST_F(RegistryStoreTest, WritersAtOnceLoseNoValueAndAnUpdateSeesEveryEarlierWrite) {
    constexpr int kValues = 30;
    std::vector<pid_t> writers;
    for (const char* prefix : {"a", "b", "c"}) {
        const pid_t pid = fork();
        if (pid == 0) {
            bool stored = true;
            for (int i = 0; i < kValues; ++i)
                stored = store.WriteString("K", prefix + std::to_string(i), "x") && stored;
            _exit(stored ? 0 : 1);
        }
        writers.push_back(pid);
    }
    for (pid_t pid : writers) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_EQ(status, 0);
    }
    int seen = 0;
    ASSERT_TRUE(store.UpdateStrings("K", [&](const RegistryView& view) {
        for (const char* prefix : {"a", "b", "c"})
            for (int i = 0; i < kValues; ++i) seen += view.ReadString("K", prefix + std::to_string(i)) == "x";
        return RegistryStore::StringValues{{"seen", std::to_string(seen)}};
    }));
    EXPECT_EQ(seen, 3 * kValues);
    EXPECT_EQ(store.ReadString("K", "seen"), std::to_string(3 * kValues));
}
#endif

}  // namespace
}  // namespace vellomar
