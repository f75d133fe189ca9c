#pragma once
// Letter-case helpers that change only the ASCII letters: every comparison the
// program makes of its own ignores case this way, whatever the user's locale.

#include <cstddef>
#include <string>
#include <string_view>

namespace vellomar {

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string ToAsciiUpper(std::string_view text);
std::string ToAsciiLower(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// A hash equal for texts that EqualsIgnoringAsciiCase finds equal, its bits well
// spread, so that a table may take its low bits as a slot. Seeded anew in
// every run: it orders nothing that is kept.
std::size_t HashIgnoringAsciiCase(std::string_view text);

// Without the blanks and control characters at either end, as a text box's
// contents are trimmed before the program looks at them.
constexpr std::string_view TrimBlanksAndControls(std::string_view text) {
    const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && blankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace vellomar
