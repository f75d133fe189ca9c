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

// Whether that terminal moves its cursor and clears lines on the escape
// sequences of ANSI X3.64 (a "dumb" terminal, or none named, does not).
bool TerminalTakesEscapes(std::FILE* stream);

// How many columns a terminal gives the character, as wcwidth() counts them
// for UTF-8 text: 0 for a combining mark, 2 for a wide East Asian character,
// 1 for others; nothing for a control character (C0 or C1) or one that is
// not assigned.
std::optional<std::size_t> CharacterColumns(char32_t character);

}  // namespace vellomar
