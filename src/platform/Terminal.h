#pragma once
// The terminal a standard stream writes to, if any.

#include <cstddef>
#include <cstdio>
#include <optional>

namespace vellomar {

// Whether the stream writes to a terminal (a console on Windows).
bool IsTerminal(std::FILE* stream);

// How many characters a line of that terminal holds; nothing when it cannot tell.
std::optional<std::size_t> TerminalColumns(std::FILE* stream);

}  // namespace vellomar
