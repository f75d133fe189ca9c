#include "platform/SortKeys.h"

#include <cstdint>

#include "platform/win32/SystemApi.h"
#include "platform/win32/WidePath.h"

namespace vellomar {

std::string UserCollationLocale() { return {}; }

// The system's own sort keys: letter case ignored, punctuation counted as
// characters (string sort, as the collation library is set up on POSIX).
struct SortKeyMaker::Collator {
    std::wstring locale;  // empty for the user's own setting
    std::wstring utf16;   // the text being keyed, reused from text to text
};

SortKeyMaker::SortKeyMaker(std::string_view locale) : collator_(std::make_unique<Collator>()) {
    collator_->locale = Widened(locale);
}

SortKeyMaker::~SortKeyMaker() = default;

void SortKeyMaker::Append(std::string_view text, std::string& keys) {
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE | SORT_STRINGSORT;
    const wchar_t* const locale =
        collator_->locale.empty() ? LOCALE_NAME_USER_DEFAULT : collator_->locale.c_str();
    // Each byte gives at most one UTF-16 unit; bytes that are not UTF-8 count
    // as U+FFFD.
    std::wstring& utf16 = collator_->utf16;
    if (utf16.size() < text.size()) utf16.resize(text.size());
    const int length = text.empty() ? 0
                                    : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                          utf16.data(), static_cast<int>(utf16.size()));
    const std::size_t start = keys.size();
    int room = 16 + 4 * length;
    for (;;) {
        keys.resize(start + static_cast<std::size_t>(room));
        // The key's length in bytes, its closing zero byte included; 0 when it
        // does not fit.
        const int written = LCMapStringEx(locale, kFlags, utf16.data(), length,
                                          reinterpret_cast<LPWSTR>(keys.data() + start), room, nullptr,
                                          nullptr, 0);
        if (written > 0) {
            keys.resize(start + static_cast<std::size_t>(written - 1));
            return;
        }
        const int needed =
            LCMapStringEx(locale, kFlags, utf16.data(), length, nullptr, 0, nullptr, nullptr, 0);
        if (needed <= room) {  // the system cannot key it at all
            keys.resize(start);
            return;
        }
        room = needed;
    }
}

}  // namespace vellomar
