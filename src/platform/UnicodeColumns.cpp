#include "platform/UnicodeColumns.h"

#include <algorithm>
#include <iterator>

namespace vellomar {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// The common combining marks and zero-width characters.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0x302A, 0x302D}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xE0100, 0xE01EF},
};

// East Asian Wide and Fullwidth, with the emoji that terminals draw wide.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
};

template <std::size_t N>
bool Within(const Range (&ranges)[N], char32_t character) {
    const Range* after = std::upper_bound(std::begin(ranges), std::end(ranges), character,
                                          [](char32_t c, const Range& range) { return c < range.first; });
    return after != std::begin(ranges) && character <= std::prev(after)->last;
}

}  // namespace

std::optional<std::size_t> UnicodeColumns(char32_t character) {
    if (character < 0x20 || (character >= 0x7F && character < 0xA0)) return std::nullopt;
    if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) return std::nullopt;
    if (Within(kZeroWidth, character)) return 0;
    return Within(kWide, character) ? 2 : 1;
}

}  // namespace vellomar
