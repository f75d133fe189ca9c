#pragma once
// The columns of a character by the ranges of Unicode's East Asian Width and
// its combining marks, for where the system has no table to ask.

#include <cstddef>
#include <optional>

namespace vellomar {

std::optional<std::size_t> UnicodeColumns(char32_t character);

}  // namespace vellomar
