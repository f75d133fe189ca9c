#pragma once
// "Only files older than ...": a guard that keeps every file changed since a
// moment out of a search's list, so that an unattended cleanup never reaches
// what is still in use. Every search (the walks, the name search, the
// browsers' caches) asks it before it lists an entry; off, it admits all.

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/Folder.h"

namespace vellomar {

class AgeGuard {
public:
    using Clock = std::chrono::system_clock;

    AgeGuard() = default;  // off
    // Admits files last modified more than age before now.
    static AgeGuard OlderThan(std::chrono::seconds age, Clock::time_point now);

    bool On() const { return modifiedBefore_.has_value(); }
    // While on, only a regular file modified before the guard's moment; an
    // entry whose age is unknown (gone, a folder) is kept out.
    bool Admits(const std::optional<EntryInfo>& entry) const;
    // What a file the guard admitted must still be when it is deleted or
    // moved to the bin: not modified since the guard's moment.
    EntryCheck StillOldEnough() const;

private:
    std::optional<FileTime> modifiedBefore_;
};

// The age "30d", "12h" or "90m": a whole number of days, hours or minutes,
// above zero and at most a hundred years. Nothing for anything else.
std::optional<std::chrono::seconds> ParseAge(std::string_view text);

}  // namespace vellomar
