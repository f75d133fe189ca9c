#include "run/BrowserCaches.h"

#include "platform/AsciiCase.h"
#include "platform/IniText.h"

namespace vellomar {

void CacheFolderList::Add(std::string_view folder) {
    if (ini_text::TrimBlanks(folder).empty()) return;
    for (std::size_t index = 0; index < count_; ++index)
        if (EqualsIgnoringAsciiCase(slots_[index], folder)) return;
    if (count_ == kCacheFolderSlots) return;
    slots_[count_++] = std::string(folder);
}

}  // namespace vellomar
