// The ini text rules over any text: a value read can be written back, a value
// written reads back exactly (or the write is refused), a write leaves every
// other key as it was, and an ini file on disk follows the same rules.

#include <fuzzer/FuzzedDataProvider.h>

#include <iterator>

#include "FuzzSupport.h"
#include "platform/AsciiCase.h"
#include "platform/IniFile.h"

using namespace vellomar;

namespace {

struct Entry {
    std::string section;
    std::string key;
};

bool SameEntry(const Entry& a, const Entry& b) {
    return EqualsIgnoringAsciiCase(a.section, b.section) && EqualsIgnoringAsciiCase(a.key, b.key);
}

void CheckSectionNames(std::string_view text) {
    for (const std::string& name : ini_text::SectionNames(text)) {
        FUZZ_REQUIRE(name.find_first_of("]\r\n") == std::string::npos);
        FUZZ_REQUIRE(ini_text::TrimBlanks(name) == name);
    }
}

// Whatever is read can be written back: nothing read holds what a write refuses.
void CheckReadWritesBack(std::string_view text, const Entry& entry) {
    const std::optional<std::string> value = ini_text::FindValue(text, entry.section, entry.key);
    if (!value) return;
    bool storable = true;
    try {
        const std::string written = ini_text::WithValue(text, entry.section, entry.key, *value);
        FUZZ_REQUIRE(ini_text::FindValue(written, entry.section, entry.key) == value);
    } catch (const std::invalid_argument&) {
        storable = false;
    }
    FUZZ_REQUIRE(storable);
}

void CheckWrite(std::string_view text, const Entry& entry, const std::string& value,
                const Entry& other) {
    std::string written;
    try {
        written = ini_text::WithValue(text, entry.section, entry.key, value);
    } catch (const std::invalid_argument&) {
        return;
    }
    FUZZ_REQUIRE(ini_text::FindValue(written, entry.section, entry.key) == value);
    if (!SameEntry(entry, other))
        FUZZ_REQUIRE(ini_text::FindValue(written, other.section, other.key) ==
                     ini_text::FindValue(text, other.section, other.key));
    CheckSectionNames(written);
}

void CheckNewSection(std::string_view text, const std::string& section, const Entry& other) {
    std::string written;
    try {
        written = ini_text::WithSection(text, section);
    } catch (const std::invalid_argument&) {
        return;
    }
    bool found = false;
    for (const std::string& name : ini_text::SectionNames(written))
        found = found || EqualsIgnoringAsciiCase(name, section);
    FUZZ_REQUIRE(found);
    FUZZ_REQUIRE(ini_text::FindValue(written, other.section, other.key) ==
                 ini_text::FindValue(text, other.section, other.key));
}

// The same rules through a file: a refused write leaves the file as it was and
// no temporary file stays behind either way.
void CheckFile(std::string_view text, const Entry& entry, const std::string& value,
               std::int32_t number) {
    static const fuzz::ScratchFolder scratch;
    const fuzz::fs::path path = scratch.Write("settings.ini", text);
    const IniFile file(path.string(), "t:\\settings.ini");
    bool written = true;
    try {
        file.WriteString(entry.section, entry.key, value);
    } catch (const IniWriteError&) {
        written = false;
    }
    if (!written) {
        FUZZ_REQUIRE(fuzz::ReadWhole(path) == text);
    } else {
        if (value.size() <= kMaxProfileValueLength)
            FUZZ_REQUIRE(file.ReadString(entry.section, entry.key, "") == value);
        file.WriteInteger(entry.section, entry.key, number);
        FUZZ_REQUIRE(file.ReadInteger(entry.section, entry.key, number ^ 1) == number);
    }
    FUZZ_REQUIRE(std::distance(fuzz::fs::directory_iterator(scratch.Root()),
                               fuzz::fs::directory_iterator()) == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Entry entry{input.ConsumeRandomLengthString(64), input.ConsumeRandomLengthString(64)};
    const std::string value = input.ConsumeRandomLengthString(256);
    const Entry other{input.ConsumeRandomLengthString(64), input.ConsumeRandomLengthString(64)};
    const std::int32_t number = input.ConsumeIntegral<std::int32_t>();
    const std::string text = input.ConsumeRemainingBytesAsString();

    CheckReadWritesBack(text, entry);
    CheckSectionNames(text);
    CheckWrite(text, entry, value, other);
    CheckNewSection(text, entry.section, other);
    CheckFile(text, entry, value, number);
    return 0;
}
