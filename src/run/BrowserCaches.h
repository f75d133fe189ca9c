#pragma once
// What the internet commands share for the whole run: the cache folders of
// Netscape-family browsers (Netscape, Mozilla, Firefox), found once at start-up.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vellomar {

inline constexpr std::size_t kCacheFolderSlots = 600;

class CacheFolderList {
public:
    // Stores a folder text as it is (with or without a trailing '\') in the
    // first free slot: a blank text, a folder stored already (compared
    // upper-cased as whole texts) and a 601st folder are passed over.
    void Add(std::string_view folder);
    void Clear() { count_ = 0; }

    std::size_t Count() const { return count_; }
    const std::string& operator[](std::size_t index) const { return slots_[index]; }

private:
    std::array<std::string, kCacheFolderSlots> slots_;
    std::size_t count_ = 0;
};

struct BrowserCaches {
    CacheFolderList cacheFolders;   // built once at start-up
    bool InternetPicsOnly = false;  // the URL cache lists its pictures only
};

}  // namespace vellomar
