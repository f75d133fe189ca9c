#pragma once
// Bits no other process or run can foresee, from the system's source of
// randomness.

#include <cstdint>
#include <random>

namespace vellomar {

inline std::uint64_t RandomWord() {
    thread_local std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

}  // namespace vellomar
