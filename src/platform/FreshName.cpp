#include "platform/FreshName.h"

#include <cstdint>
#include <cstdio>

#include "platform/RandomWord.h"

namespace vellomar {

std::string FreshName(std::string_view prefix) {
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(RandomWord()),
                  static_cast<unsigned long long>(RandomWord()));
    return std::string(prefix) + hex;
}

}  // namespace vellomar
