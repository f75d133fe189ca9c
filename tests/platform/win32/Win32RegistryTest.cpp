// The registry store on the system's registry (or Wine's), under a key of the
// test's own in the current user's hive, removed with all below it afterwards.

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "platform/win32/SystemApi.h"

#include <string>

#include "platform/RandomWord.h"
#include "platform/RegistryStore.h"

namespace vellomar {
namespace {

using ::testing::UnorderedElementsAre;

class Win32RegistryTest : public ::testing::Test {
protected:
    ~Win32RegistryTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, WideRoot().c_str()); }

    std::wstring WideRoot() const { return std::wstring(root.begin(), root.end()); }

    // Sets a value of any type directly, as another program might have.
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, WideRoot().c_str(), name, type, data, size),
                  ERROR_SUCCESS);
    }

    const std::string root = "Software\\vellomar-test-" + std::to_string(RandomWord());
    const RegistryStore store{root};
};

TEST_F(Win32RegistryTest, IntegersAndTextsComeBackAsWritten) {
    // Longer than a first guess at its size.
    const std::string text = "Grüße, 日本, \xF0\x9F\x98\x80 c:\\x = \"y\" " + std::string(200, 'z');
    EXPECT_FALSE(store.KeyExists("Settings"));
    EXPECT_EQ(store.ReadInteger("Settings", "n"), std::nullopt);

    ASSERT_TRUE(store.WriteInteger("Settings", "n", INT32_MIN));
    ASSERT_TRUE(store.WriteInteger("Settings", "one", 1));
    ASSERT_TRUE(store.WriteString("Settings", "Dir", text));
    EXPECT_EQ(store.ReadInteger("SETTINGS", "N"), INT32_MIN);
    EXPECT_EQ(store.ReadInteger("Settings", "one"), 1);
    EXPECT_EQ(store.ReadString("settings", "dir"), text);
    ASSERT_TRUE(store.WriteString("Settings", "Dir", ""));
    EXPECT_EQ(store.ReadString("Settings", "Dir"), "");

    // Stored as the system's own types, the text in UTF-16, where the
    // program's store for the whole hive finds them.
    DWORD type = 0;
    wchar_t wide[64] = {};
    DWORD size = sizeof wide;
    ASSERT_TRUE(store.WriteString("Settings", "Dir", "Grüße"));
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (WideRoot() + L"\\Settings").c_str(), L"Dir",
                           RRF_RT_ANY, &type, wide, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(wide), L"Gr\u00FC\u00DFe");
    const RegistryStore hive = RegistryStore::OfThisUser("", "");
    EXPECT_EQ(hive.ReadInteger(root + "\\Settings", "one"), 1);
}

TEST_F(Win32RegistryTest, KeysAreCreatedWithTheirPathAndListed) {
    ASSERT_TRUE(store.CreateKey("Users\\ann\\deep"));
    ASSERT_TRUE(store.CreateKey("users\\ANN"));
    ASSERT_TRUE(store.WriteString("Users\\Zed", "DirRoot", "c:\\zed"));
    EXPECT_TRUE(store.KeyExists("USERS"));
    EXPECT_TRUE(store.KeyExists("Users\\Ann\\Deep"));
    EXPECT_FALSE(store.KeyExists("Users\\Bob"));

    const RegistryView view = store.Read();
    EXPECT_THAT(view.SubkeyNames("users"), UnorderedElementsAre("ann", "Zed"));
    EXPECT_THAT(view.SubkeyNames("Users\\ann"), UnorderedElementsAre("deep"));
    EXPECT_TRUE(view.SubkeyNames("Users\\Zed").empty());
    EXPECT_TRUE(view.SubkeyNames("Nowhere").empty());
    EXPECT_EQ(view.ReadString("Users\\Zed", "DirRoot"), "c:\\zed");
}

TEST_F(Win32RegistryTest, ValuesOfAnotherTypeReadAsMissing) {
    const std::uint64_t quad = 7;
    const wchar_t expandable[] = L"%TEMP%";
    const unsigned char three[] = {1, 2, 3};
    ASSERT_TRUE(store.CreateKey(""));
    SetRaw(L"quad", REG_QWORD, &quad, sizeof quad);
    SetRaw(L"expandable", REG_EXPAND_SZ, expandable, sizeof expandable);
    SetRaw(L"binary", REG_BINARY, three, sizeof three);
    SetRaw(L"short", REG_DWORD, three, 2);  // a DWORD of two bytes holds no integer
    ASSERT_TRUE(store.WriteString("", "text", "7"));
    ASSERT_TRUE(store.WriteInteger("", "number", 7));

    for (const char* name : {"quad", "expandable", "binary", "short", "text"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store.ReadInteger("", name), std::nullopt);
    }
    for (const char* name : {"quad", "binary", "number"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(store.ReadString("", name), std::nullopt);
    }
}

TEST_F(Win32RegistryTest, TextsEndAtTheirFirstNullOrWhereTheirBytesEnd) {
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    const wchar_t twoParts[] = L"first\0second";
    ASSERT_TRUE(store.CreateKey(""));
    SetRaw(L"unterminated", REG_SZ, unterminated, sizeof unterminated);
    SetRaw(L"twoParts", REG_SZ, twoParts, sizeof twoParts);
    EXPECT_EQ(store.ReadString("", "unterminated"), "abc");
    EXPECT_EQ(store.ReadString("", "twoParts"), "first");
}

TEST_F(Win32RegistryTest, ExpandableTextsReadWithTheirVariablesExpanded) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"VELLOMAR_TEST_HOME", L"C:\\Users\\\u00e5sa"));
    const wchar_t folder[] = L"%VELLOMAR_TEST_HOME%\\Cache";
    const wchar_t unset[] = L"%VELLOMAR_TEST_UNSET%\\x";
    // Longer once expanded than the first buffer a read tries.
    const std::wstring longFolder = L"%VELLOMAR_TEST_HOME%" + std::wstring(100, L'z');
    ASSERT_TRUE(store.CreateKey(""));
    SetRaw(L"folder", REG_EXPAND_SZ, folder, sizeof folder);
    SetRaw(L"unset", REG_EXPAND_SZ, unset, sizeof unset);
    SetRaw(L"long", REG_EXPAND_SZ, longFolder.c_str(),
           static_cast<DWORD>((longFolder.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(store.ReadString("", "folder"), "C:\\Users\\\xc3\xa5sa\\Cache");
    EXPECT_EQ(store.ReadString("", "unset"), "%VELLOMAR_TEST_UNSET%\\x");
    EXPECT_EQ(store.ReadString("", "long"), "C:\\Users\\\xc3\xa5sa" + std::string(100, 'z'));
    SetEnvironmentVariableW(L"VELLOMAR_TEST_HOME", nullptr);
}

}  // namespace
}  // namespace vellomar
