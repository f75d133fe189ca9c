#include "run/AgeGuard.h"

#include <charconv>

namespace vellomar {
namespace {

// Far enough for any cleanup, and well inside the clock's range.
constexpr std::chrono::seconds kLongestAge = std::chrono::days(36525);

}  // namespace

AgeGuard AgeGuard::OlderThan(std::chrono::seconds age, Clock::time_point now) {
    AgeGuard guard;
    guard.modifiedBefore_ = FileTime::Of(now - age);
    return guard;
}

bool AgeGuard::Admits(const std::optional<EntryInfo>& entry) const {
    if (!modifiedBefore_) return true;
    return entry && entry->kind == EntryKind::File && entry->modified < *modifiedBefore_;
}

EntryCheck AgeGuard::StillOldEnough() const {
    EntryCheck check;
    check.modifiedBefore = modifiedBefore_;
    return check;
}

std::optional<std::chrono::seconds> ParseAge(std::string_view text) {
    if (text.size() < 2) return std::nullopt;
    std::chrono::seconds unit;
    switch (text.back()) {
        case 'd': unit = std::chrono::days(1); break;
        case 'h': unit = std::chrono::hours(1); break;
        case 'm': unit = std::chrono::minutes(1); break;
        default: return std::nullopt;
    }
    const std::string_view digits = text.substr(0, text.size() - 1);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    std::int64_t count = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (count <= 0 || count > kLongestAge / unit) return std::nullopt;
    return count * unit;
}

}  // namespace vellomar
