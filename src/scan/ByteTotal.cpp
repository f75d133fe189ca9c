#include "scan/ByteTotal.h"

#include <cstdio>

namespace vellomar {

std::string FormatByteTotal(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", bytes);
    return text;
}

}  // namespace vellomar
