// The ini text rules over any text: a value read can be written back, a value
// written reads back exactly (or the write is refused), a write leaves every
// other key as it was, and an ini file on disk follows the same rules. Many
// reads and writes on one IniDocument give byte for byte what the plain rules
// of IniTextReference.h give one call at a time.

#include <fuzzer/FuzzedDataProvider.h>

#include <functional>
#include <iterator>

#include "FuzzSupport.h"
#include "IniTextReference.h"
#include "platform/AsciiCase.h"
#include "platform/IniDocument.h"
#include "platform/IniFile.h"

using namespace vellomar;
namespace reference = vellomar::fuzz::reference;

namespace {

struct Entry {
    std::string section;
    std::string key;
};

bool Refused(const std::function<void()>& write) {
    try {
        write();
        return false;
    } catch (const std::invalid_argument&) {
        return true;
    }
}

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
    std::string expected;
    const bool refused =
        Refused([&] { written = ini_text::WithValue(text, entry.section, entry.key, value); });
    const bool refusedAsPlain = Refused(
        [&] { expected = reference::WithValue(text, entry.section, entry.key, value); });
    FUZZ_REQUIRE(refused == refusedAsPlain);
    if (refused) return;
    FUZZ_REQUIRE(written == expected);
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

// Names and values a script picks from: the fuzzed ones, the Quick Search
// file's, letter-case twins and ones a write refuses, so that writes hit
// existing lines as often as they add new ones.
struct ScriptWords {
    std::vector<std::string> sections;
    std::vector<std::string> keys;
    std::vector<std::string> values;
};

ScriptWords WordsFor(const Entry& entry, const std::string& value, const Entry& other) {
    return {{"Skip", "sKIP", "Only", "Status", "", entry.section, other.section, "a]"},
            {"F1", "f1", "F2", "Search", "", entry.key, other.key, "k=v"},
            {"", "t:\\Folder", " padded ", "\"q\"", "'", value, other.key, "two\nlines"}};
}

// Each script byte pair is one step: a write of a value, a new section or a read.
void CheckDocument(std::string text, std::string_view script, const ScriptWords& words) {
    IniDocument document(text);
    for (std::size_t at = 0; at + 1 < script.size(); at += 2) {
        const auto first = static_cast<unsigned char>(script[at]);
        const auto second = static_cast<unsigned char>(script[at + 1]);
        const std::string& section = words.sections[(first >> 2) % words.sections.size()];
        const std::string& key = words.keys[second % words.keys.size()];
        const std::string& value = words.values[(second >> 3) % words.values.size()];
        std::string next = text;
        bool same = true;
        switch (first % 3) {
            case 0:
                same = Refused([&] { document.SetValue(section, key, value); }) ==
                       Refused([&] { next = reference::WithValue(text, section, key, value); });
                break;
            case 1:
                same = Refused([&] { document.AddSection(section); }) ==
                       Refused([&] { next = reference::WithSection(text, section); });
                break;
            default:
                same = document.Value(section, key) == reference::FindValue(text, section, key);
        }
        FUZZ_REQUIRE(same);
        text = std::move(next);
    }
    FUZZ_REQUIRE(document.Text() == text);
    FUZZ_REQUIRE(document.SectionNames() == reference::SectionNames(text));
    for (const std::string& section : words.sections) {
        for (const std::string& key : words.keys) {
            const std::optional<std::string> value = reference::FindValue(text, section, key);
            FUZZ_REQUIRE(document.Value(section, key) == value);
            FUZZ_REQUIRE(ini_text::FindValue(text, section, key) == value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Entry entry{input.ConsumeRandomLengthString(64), input.ConsumeRandomLengthString(64)};
    const std::string value = input.ConsumeRandomLengthString(256);
    const Entry other{input.ConsumeRandomLengthString(64), input.ConsumeRandomLengthString(64)};
    const std::int32_t number = input.ConsumeIntegral<std::int32_t>();
    const std::string script = input.ConsumeRandomLengthString(256);
    const std::string text = input.ConsumeRemainingBytesAsString();

    CheckReadWritesBack(text, entry);
    CheckSectionNames(text);
    CheckWrite(text, entry, value, other);
    CheckNewSection(text, entry.section, other);
    CheckFile(text, entry, value, number);
    CheckDocument(text, script, WordsFor(entry, value, other));
    return 0;
}
