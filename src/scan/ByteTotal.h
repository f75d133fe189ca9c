#pragma once

#include <string>

namespace vellomar {

// A byte total as the program writes it: general format, 15 significant digits,
// no thousands separators, so whole numbers below 10^15 print as plain integers.
std::string FormatByteTotal(double bytes);

}  // namespace vellomar
