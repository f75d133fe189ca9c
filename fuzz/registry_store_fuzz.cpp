// A registry store of any content: reads never fail, a value holds one type,
// subkeys are listed once each and exist, and a written value reads back
// (or the write reports failure and leaves the store as it was).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "FuzzSupport.h"
#include "platform/AsciiCase.h"
#include "platform/IniText.h"
#include "platform/RegistryStore.h"

using namespace vellomar;

namespace {

void CheckSubkeys(const RegistryStore& store, const std::string& key) {
    const std::vector<std::string> names = store.Read().SubkeyNames(key);
    for (auto name = names.begin(); name != names.end(); ++name) {
        FUZZ_REQUIRE(!name->empty() && name->find('\\') == std::string::npos);
        FUZZ_REQUIRE(std::none_of(names.begin(), name, [&](const std::string& earlier) {
            return EqualsIgnoringAsciiCase(earlier, *name);
        }));
        FUZZ_REQUIRE(store.KeyExists(key + '\\' + *name));
    }
}

void CheckRead(const RegistryStore& store, const std::string& key, const std::string& name) {
    const bool text = store.ReadString(key, name).has_value();
    const bool integer = store.ReadInteger(key, name).has_value();
    FUZZ_REQUIRE(!(text && integer));
    if (text || integer) FUZZ_REQUIRE(store.KeyExists(key));
}

// Every key on the path down to key ("a", "a\b" for "a\b\c").
void CheckKeyPath(const RegistryStore& store, const std::string& key) {
    FUZZ_REQUIRE(store.KeyExists(key));
    for (std::size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1))
        if (at > 0) FUZZ_REQUIRE(store.KeyExists(key.substr(0, at)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder scratch;
    FuzzedDataProvider input(data, size);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::string name = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(128);
    const std::int32_t number = input.ConsumeIntegral<std::int32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();
    const fuzz::fs::path path = scratch.Write("registry.ini", text);
    const RegistryStore store(path.string(), "u:\\registry.ini");

    std::vector<std::string> keys = ini_text::SectionNames(text);
    keys.resize(std::min<std::size_t>(keys.size(), 16));
    keys.push_back(key);
    for (const std::string& stored : keys) {
        CheckSubkeys(store, stored);
        CheckRead(store, stored, name);
    }

    if (store.WriteString(key, name, value)) {
        FUZZ_REQUIRE(store.ReadString(key, name) == value);
        FUZZ_REQUIRE(!store.ReadInteger(key, name));
        CheckKeyPath(store, key);
        FUZZ_REQUIRE(store.WriteInteger(key, name, number));
        FUZZ_REQUIRE(store.ReadInteger(key, name) == number);
        FUZZ_REQUIRE(!store.ReadString(key, name));
    } else {
        FUZZ_REQUIRE(fuzz::ReadWhole(path) == text);
    }
    return 0;
}
