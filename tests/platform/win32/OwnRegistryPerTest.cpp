// Under Windows the program's registry is the current user's hive, one for a
// whole test run and for the person running it. Each test here gets a hive of
// its own instead, empty at its start and removed at its end, as each test
// under Linux gets a registry file of its own in its temporary tree: the
// current user's hive is redirected, for this process only, to a fresh key.

#include <gtest/gtest.h>

#include <string>

#include "platform/RandomWord.h"
#include "platform/win32/SystemApi.h"

namespace vellomar {
namespace {

class OwnRegistryPerTest final : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        key_ = L"Software\\vellomar-test-hive-" + std::to_wstring(RandomWord());
        HKEY hive = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &hive, nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(HKEY_CURRENT_USER, hive) != ERROR_SUCCESS)
            ADD_FAILURE() << "the test's own registry hive could not be made";
        if (hive) RegCloseKey(hive);
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str());
    }

private:
    std::wstring key_;
};

const bool kRegistered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new OwnRegistryPerTest);
    return true;
}();

}  // namespace
}  // namespace vellomar
