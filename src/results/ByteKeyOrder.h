#pragma once
// Sorting positions by byte keys made once per text, never collating texts again.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vellomar {

// Below this many texts one thread does all the work.
inline constexpr std::size_t kTextsWorthAThread = 20'000;

// Appends the key of one text to the end of keys. Keys compare byte by byte
// (as unsigned bytes, a key that is a prefix of another coming first) and hold
// no zero byte.
using AppendKey = std::function<void(const std::string& text, std::string& keys)>;

// Positions 0 to count - 1 in ascending order of their keys; equal keys keep
// their order. A million paths take seconds to key on one core, so the
// positions are cut into one run per core: each run is keyed by a key maker of
// its own (newKeyMaker() is called once per run, on the calling thread) and
// sorted on its own thread, then the runs are merged. textAt is called once
// per position, from several threads at once.
std::vector<std::size_t> OrderByByteKeys(std::size_t count,
                                         const std::function<std::string(std::size_t)>& textAt,
                                         const std::function<AppendKey()>& newKeyMaker);

}  // namespace vellomar
