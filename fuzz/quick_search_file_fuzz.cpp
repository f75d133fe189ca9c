// A qsearch.ini of any content: what is read is a valid set of settings, it
// can be saved, and saving it then reading it again gives the same settings.
// The lists read and the text saved are what the plain ini rules of
// IniTextReference.h give one key at a time.

#include <tuple>

#include "FuzzSupport.h"
#include "IniTextReference.h"
#include "quicksearch/QuickSearchFile.h"

using namespace vellomar;
namespace reference = vellomar::fuzz::reference;

namespace {

std::string FolderKey(std::size_t number) { return "F" + std::to_string(number); }

// At most kMaxProfileValueLength bytes, never ending inside a UTF-8 sequence.
std::string Cut(std::string value) {
    if (value.size() <= kMaxProfileValueLength) return value;
    std::size_t length = kMaxProfileValueLength;
    while (length > 0 && (static_cast<unsigned char>(value[length]) & 0xC0) == 0x80) --length;
    return value.substr(0, length);
}

FolderLists PlainLists(std::string_view text) {
    FolderLists lists;
    for (std::size_t number = 1; number <= kMaxFoldersPerList; ++number) {
        const std::string key = FolderKey(number);
        if (std::string skip = Cut(reference::FindValue(text, "Skip", key).value_or(""));
            !skip.empty())
            lists.skipFolders.push_back(std::move(skip));
        if (std::string only = Cut(reference::FindValue(text, "Only", key).value_or(""));
            !only.empty())
            lists.onlyFolders.push_back(std::move(only));
    }
    return lists;
}

// The save written one key at a time: both lists blanked, then filled, then the status.
std::string PlainSave(std::string text, const QuickSearchSettings& settings) {
    for (std::size_t number = 1; number <= kMaxFoldersPerList; ++number) {
        text = reference::WithValue(text, "Skip", FolderKey(number), "");
        text = reference::WithValue(text, "Only", FolderKey(number), "");
    }
    const auto fill = [&](std::string_view section, const std::vector<std::string>& folders) {
        for (std::size_t index = 0; index < folders.size(); ++index)
            text = reference::WithValue(text, section, FolderKey(index + 1), folders[index]);
    };
    fill("Only", settings.onlyFolders);
    fill("Skip", settings.skipFolders);
    // In the order of QuickSearchScope.
    const char* const scopes[] = {"Bothwindows", "Onlythiswindow", "Ignoreboth"};
    text = reference::WithValue(text, "Status", "Search", scopes[static_cast<int>(settings.scope)]);
    return reference::WithValue(text, "Status", "Perform",
                                settings.mode == QuickSearchMode::SearchOnly ? "Searchfolders"
                                                                             : "Skipfolders");
}

auto Fields(const QuickSearchSettings& settings) {
    return std::tie(settings.skipFolders, settings.onlyFolders, settings.scope, settings.mode);
}

void CheckList(const std::vector<std::string>& folders) {
    FUZZ_REQUIRE(folders.size() <= kMaxFoldersPerList);
    for (const std::string& folder : folders)
        FUZZ_REQUIRE(!folder.empty() && folder.size() <= kMaxProfileValueLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder scratch;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const fuzz::fs::path path = scratch.Write("qsearch.ini", text);
    const IniFile file(path.string(), "t:\\qsearch.ini");

    const QuickSearchSettings read = ReadQuickSearchSettings(file);
    CheckList(read.skipFolders);
    CheckList(read.onlyFolders);
    const FolderLists plain = PlainLists(text);
    FUZZ_REQUIRE(read.skipFolders == plain.skipFolders && read.onlyFolders == plain.onlyFolders);
    bool saved = true;
    try {
        SaveQuickSearchSettings(file, read);
    } catch (const IniWriteError&) {
        saved = false;
    }
    FUZZ_REQUIRE(saved);
    FUZZ_REQUIRE(fuzz::ReadWhole(path) == PlainSave(text, read));
    FUZZ_REQUIRE(Fields(ReadQuickSearchSettings(file)) == Fields(read));
    return 0;
}
