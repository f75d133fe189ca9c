#pragma once
// The file categories a drive walk collects and the rules that put a file into one.

#include <array>
#include <string>
#include <string_view>

#include "run/ScanState.h"

namespace vellomar {

// The walk categories in the order the walk tries them for each file; a file
// that fits several active categories is listed once for each, in this order.
enum class Category : unsigned char {
    Garbage, Pictures, Screensavers, Webpages, Documents, Zips, Videos, Sounds,
    IniDat, ZeroByte, Logs, Tax, Bookmarks,
};
inline constexpr std::size_t kWalkCategoryCount = 13;

// The category key of a name or path: its last extension, dot included,
// upper-cased and cut to four characters (".html" gives ".HTM"); empty when
// the name has no extension.
std::string ExtensionKey(std::string_view name);

// For a bare file name.
bool IsGarbageFile(std::string_view name);
// For a full path or a bare name.
bool IsPictureFile(std::string_view path);
// For a copy fetched from the web, by the type it was served as ("image/...")
// where one was stored, else by the name it was fetched as. A type that
// tells nothing ("application/octet-stream") leaves it to the name too.
bool IsFetchedPicture(std::string_view name, std::string_view mediaType);

// Whether a file fits a category by its name alone (key = ExtensionKey(name)).
// The zero-byte category depends on the size, never on the name: always false.
bool NameFitsCategory(Category category, std::string_view key, std::string_view name);

// The flag that makes a search collect the category.
bool ScanState::*CategoryFlag(Category category);

// The categories whose flags are set, in walk order.
struct ActiveCategories {
    std::array<Category, kWalkCategoryCount> order{};
    std::size_t count = 0;
    bool zeroByte = false;  // the zero-byte category is among them

    static ActiveCategories Of(const ScanState& scan);
    const Category* begin() const { return order.data(); }
    const Category* end() const { return order.data() + count; }
};

}  // namespace vellomar
