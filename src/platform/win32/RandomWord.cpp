#include "platform/RandomWord.h"

#include <random>

namespace vellomar {

std::uint64_t RandomWord() {
    // The C++ library's default here is the system's own generator (rand_s).
    thread_local std::random_device device;
    return (std::uint64_t(device()) << 32) ^ device();
}

}  // namespace vellomar
