#pragma once
// Where a text holds well-formed UTF-8: file names may hold any byte but '/'
// and NUL, and what the command line prints for them must say which bytes.

#include <cstddef>
#include <string_view>

namespace vellomar::cli {

// The length of the well-formed UTF-8 sequence at text[at], or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at);

bool IsWellFormedUtf8(std::string_view text);

// The code point of the well-formed sequence of length bytes at text[at].
char32_t CodePointAt(std::string_view text, std::size_t at, std::size_t length);

}  // namespace vellomar::cli
