#include "results/BinRecord.h"

#include <cstdio>

#include "platform/DrivePath.h"
#include "platform/IniDocument.h"
#include "platform/MomentText.h"
#include "platform/PercentCoding.h"
#include "platform/UtcTime.h"

namespace vellomar {
namespace {

constexpr std::string_view kSection = "Garbage Bin";
constexpr std::string_view kIdKey = "Id";
constexpr std::string_view kPathKey = "Path";
constexpr std::string_view kEncodedPathKey = "EncodedPath";
constexpr std::string_view kMovedKey = "Moved";
constexpr std::string_view kMountKey = "Mount";
constexpr std::string_view kFileSystemKey = "FileSystem";

using Clock = std::chrono::system_clock;

std::optional<Clock::time_point> ParseMoment(const std::string& text) {
    UtcFields utc{};
    char zone = 0;
    int consumed = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%n", &utc.year, &utc.month, &utc.day,
                    &utc.hour, &utc.minute, &utc.second, &zone, &consumed) != 7 ||
        zone != 'Z' || static_cast<std::size_t>(consumed) != text.size())
        return std::nullopt;
    // The clock counts finer than seconds and so spans a few centuries only.
    const auto seconds = MomentOfUtcFields(utc).time_since_epoch().count();
    constexpr auto kEarliest = std::chrono::ceil<std::chrono::seconds>(Clock::time_point::min());
    constexpr auto kLatest = std::chrono::floor<std::chrono::seconds>(Clock::time_point::max());
    if (seconds < kEarliest.time_since_epoch().count() || seconds > kLatest.time_since_epoch().count())
        return std::nullopt;
    return Clock::from_time_t(seconds);
}

}  // namespace

std::string BinRecordText(const BinRecord& record) {
    IniDocument text{std::string()};
    text.SetValue(kSection, kIdKey, record.id);
    text.SetValue(kSection, kEncodedPathKey, PercentEncoded(record.originalPath));
    // As older versions read it, where a line can hold it.
    if (record.originalPath.find_first_of("\r\n") == std::string::npos)
        text.SetValue(kSection, kPathKey, record.originalPath);
    text.SetValue(kSection, kMovedKey, MomentText(record.moved));
    if (record.drive) {
        text.SetValue(kSection, kMountKey, record.drive->mountPoint);
        text.SetValue(kSection, kFileSystemKey, record.drive->fileSystem);
    }
    return text.Text();
}

std::optional<BinRecord> ParseBinRecord(std::string_view text) {
    const IniDocument document{std::string(text)};
    std::optional<std::string> path = document.Value(kSection, kEncodedPathKey);
    if (path) path = PercentDecoded(*path);
    else path = document.Value(kSection, kPathKey);
    if (!path) return std::nullopt;
    auto parts = SplitDrivePath(*path);
    if (!parts || parts->names.empty()) return std::nullopt;
    std::optional<std::string> moved = document.Value(kSection, kMovedKey);
    std::optional<Clock::time_point> moment = moved ? ParseMoment(*moved) : std::nullopt;
    std::optional<std::string> mount = document.Value(kSection, kMountKey);
    std::optional<std::string> fileSystem = document.Value(kSection, kFileSystemKey);
    std::optional<DriveIdentity> drive;
    if (mount && fileSystem) drive = DriveIdentity{std::move(*mount), std::move(*fileSystem)};
    return BinRecord{document.Value(kSection, kIdKey).value_or(""), std::move(*path),
                     moment.value_or(Clock::time_point()), std::move(drive)};
}

}  // namespace vellomar
