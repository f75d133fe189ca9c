#pragma once
// UTF-16 texts (Windows names, the window toolkit's strings, settings files
// saved as "Unicode") in the program's UTF-8 and back. A unit that is half of
// no surrogate pair, which Windows names may hold, is carried as the three
// bytes UTF-8's rule gives its value (ED A0..BF xx, as WTF-8 writes it), so a
// name that goes out and comes back is the same name.

#include <optional>
#include <string>
#include <string_view>

namespace vellomar {

std::string Utf8OfUtf16(std::u16string_view units);

// Nothing when the bytes are not UTF-8 (halves of pairs allowed) throughout, or
// hold a high half right before a low one, which would come back as a pair.
std::optional<std::u16string> Utf16OfUtf8(std::string_view text);

}  // namespace vellomar
