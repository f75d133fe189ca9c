#pragma once
// Unsigned integers stored in bytes read from a file, in either byte order;
// nothing when the bytes end before the integer does.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vellomar {

inline unsigned ByteAt(std::string_view bytes, std::size_t offset) {
    return static_cast<unsigned char>(bytes[offset]);
}

template <typename Unsigned>
std::optional<Unsigned> LittleEndianAt(std::string_view bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(Unsigned)) return std::nullopt;
    Unsigned value = 0;
    for (std::size_t index = sizeof(Unsigned); index-- > 0;)
        value = static_cast<Unsigned>(value << 8 | ByteAt(bytes, offset + index));
    return value;
}

template <typename Unsigned>
std::optional<Unsigned> BigEndianAt(std::string_view bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(Unsigned)) return std::nullopt;
    Unsigned value = 0;
    for (std::size_t index = 0; index < sizeof(Unsigned); ++index)
        value = static_cast<Unsigned>(value << 8 | ByteAt(bytes, offset + index));
    return value;
}

}  // namespace vellomar
