#pragma once
// Bits no other process or run can foresee, from the system's source of
// randomness.

#include <cstdint>

namespace vellomar {

// Each platform provides it. Cheap enough to ask once per file a deletion
// puts aside.
std::uint64_t RandomWord();

}  // namespace vellomar
