#include "platform/MemoryStatus.h"

#include <charconv>
#include <optional>

#include "platform/TextFile.h"

namespace vellomar {
namespace {

constexpr std::uint64_t kBytesPerKb = 1024;

// The bytes of a line's figure ("  16318412 kB"); nothing when it holds no number.
std::optional<std::uint64_t> FigureInBytes(std::string_view text) {
    const std::size_t digits = text.find_first_not_of(' ');
    if (digits == std::string_view::npos) return std::nullopt;
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data() + digits, end, value);
    if (error != std::errc()) return std::nullopt;
    const bool inKb = std::string_view(rest, static_cast<std::size_t>(end - rest)).starts_with(" kB");
    return inKb ? value * kBytesPerKb : value;
}

}  // namespace

MemoryStatus MemoryStatusOfMeminfo(std::string_view text) {
    MemoryStatus status;
    std::optional<std::uint64_t> available, free;
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        const std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);

        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, colon);
        const std::optional<std::uint64_t> bytes = FigureInBytes(line.substr(colon + 1));
        if (!bytes) continue;
        if (key == "MemTotal") status.totalPhysical = *bytes;
        else if (key == "MemAvailable") available = bytes;
        else if (key == "MemFree") free = bytes;
        else if (key == "SwapTotal") status.totalSwap = *bytes;
        else if (key == "SwapFree") status.availableSwap = *bytes;
    }
    status.availablePhysical = available.value_or(free.value_or(0));
    return status;
}

MemoryStatus CurrentMemoryStatus() {
    const std::optional<TextFileState> meminfo = ReadTextFile("/proc/meminfo");
    return meminfo ? MemoryStatusOfMeminfo(meminfo->text) : MemoryStatus{};
}

}  // namespace vellomar
