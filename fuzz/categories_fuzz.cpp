// Extension keys and the category rules over any name or path: a key is the
// last extension as a reference cuts it, a path's key is its file name's key,
// and no rule depends on letter case.

#include "FuzzSupport.h"
#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "scan/Categories.h"

using namespace vellomar;

namespace {

// The key as a person would work it out: from the last '.', unless a '\' or ':'
// follows it (then the dot belongs to a folder or drive), upper-cased, at most
// four characters.
std::string ReferenceKey(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    const std::string_view extension = name.substr(dot);
    for (char c : extension)
        if (c == '\\' || c == ':') return {};
    std::string key;
    for (char c : extension.substr(0, 4)) key += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return key;
}

constexpr Category kCategories[] = {
    Category::Garbage, Category::Pictures, Category::Screensavers, Category::Webpages,
    Category::Documents, Category::Zips, Category::Videos, Category::Sounds,
    Category::IniDat, Category::ZeroByte, Category::Logs, Category::Tax, Category::Bookmarks,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    const std::string key = ExtensionKey(path);
    FUZZ_REQUIRE(key == ReferenceKey(path));
    FUZZ_REQUIRE(key == ExtensionKey(ToAsciiLower(path)));
    const std::string_view name = LastName(path);
    FUZZ_REQUIRE(key == ExtensionKey(name));
    FUZZ_REQUIRE(IsPictureFile(path) == IsPictureFile(name));
    FUZZ_REQUIRE(IsPictureFile(path) == NameFitsCategory(Category::Pictures, key, name));
    FUZZ_REQUIRE(IsGarbageFile(name) == IsGarbageFile(ToAsciiUpper(name)));
    FUZZ_REQUIRE(IsGarbageFile(name) == NameFitsCategory(Category::Garbage, ExtensionKey(name), name));
    const std::string upperKey = ExtensionKey(ToAsciiUpper(name));
    for (Category category : kCategories) {
        const bool fits = NameFitsCategory(category, ExtensionKey(name), name);
        if (category == Category::ZeroByte) FUZZ_REQUIRE(!fits);
        // The program's own settings file keeps its letter case; everything else ignores it.
        if (category != Category::IniDat)
            FUZZ_REQUIRE(fits == NameFitsCategory(category, upperKey, ToAsciiUpper(name)));
    }
    return 0;
}
