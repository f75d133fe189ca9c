#pragma once
// Percent-escapes ("%0A" for a line break), so that any name a file can have
// fits in one line of a text file and reads back byte for byte.

#include <string>
#include <string_view>

namespace vellomar {

// Every byte but letters, digits and the marks a path commonly holds
// ("-._~\/:!$&'()*+,;=@") written as '%' and two upper-case hex digits.
std::string PercentEncoded(std::string_view text);

// The escapes of a text decoded, but for one that stands for '/', '\' or NUL,
// which no name can hold: it stays as written, as does any '%' that begins no escape.
std::string PercentDecoded(std::string_view text);

}  // namespace vellomar
