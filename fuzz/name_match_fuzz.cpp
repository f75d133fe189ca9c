// The name search and the Quick Search folder lists against plain reference
// implementations: a literal match, with or without letter case, and "a list
// entry found anywhere in the folder's path".

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NameSearch.h"

using namespace vellomar;

namespace {

std::string Folded(std::string_view text, bool matchCase) {
    std::string folded(text);
    if (matchCase) return folded;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return folded;
}

bool ReferenceNameMatches(std::string_view fileName, const NameQuery& query) {
    const std::string name = Folded(fileName, query.matchCase);
    const std::string text = Folded(query.text, query.matchCase);
    return query.exact ? name == text : name.find(text) != std::string::npos;
}

bool ReferenceListContains(const std::vector<std::string>& list, std::string_view folderPath) {
    const std::string path = Folded(folderPath, false);
    for (const std::string& entry : list)
        if (path.find(Folded(entry, false)) != std::string::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    NameQuery query;
    query.exact = input.ConsumeBool();
    query.matchCase = input.ConsumeBool();
    query.text = input.ConsumeRandomLengthString(64);
    // A file always has a name: an empty one is never asked about.
    const std::string fileName = input.ConsumeRandomLengthString(64);
    if (!fileName.empty())
        FUZZ_REQUIRE(NameMatches(fileName, query) == ReferenceNameMatches(fileName, query));

    QuickSearchState state;
    state.QuickSearchOn = true;
    const std::string folderPath = input.ConsumeRandomLengthString(128);
    while (input.remaining_bytes() > 0 && state.window.skipFolders.size() < 64)
        state.window.skipFolders.push_back(input.ConsumeRandomLengthString(32));
    const bool contains = FolderListContains(state.window.skipFolders, folderPath);
    FUZZ_REQUIRE(contains == ReferenceListContains(state.window.skipFolders, folderPath));
    // In BYPASS mode the list refuses exactly the folders it holds.
    FUZZ_REQUIRE(QuickSearchAdmitsFolder(state, folderPath) == !contains);
    return 0;
}
