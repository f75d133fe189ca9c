#pragma once
// Names no other process can know in advance, for putting an entry aside
// before it is acted on and for new folders of the garbage bin.

#include <string>
#include <string_view>

namespace vellomar {

// The prefix and 128 random bits in hex: a name never given out twice.
std::string FreshName(std::string_view prefix);

}  // namespace vellomar
