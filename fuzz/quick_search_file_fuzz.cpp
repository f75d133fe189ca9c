// A qsearch.ini of any content: what is read is a valid set of settings, it
// can be saved, and saving it then reading it again gives the same settings.

#include <tuple>

#include "FuzzSupport.h"
#include "quicksearch/QuickSearchFile.h"

using namespace vellomar;

namespace {

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
    const fuzz::fs::path path =
        scratch.Write("qsearch.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    const IniFile file(path.string(), "t:\\qsearch.ini");

    const QuickSearchSettings read = ReadQuickSearchSettings(file);
    CheckList(read.skipFolders);
    CheckList(read.onlyFolders);
    bool saved = true;
    try {
        SaveQuickSearchSettings(file, read);
    } catch (const IniWriteError&) {
        saved = false;
    }
    FUZZ_REQUIRE(saved);
    FUZZ_REQUIRE(Fields(ReadQuickSearchSettings(file)) == Fields(read));
    return 0;
}
