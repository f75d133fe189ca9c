// A garbage bin record of any content: a record read from it names a file in
// drive form, and writing a record then reading it gives the same record back.

#include <chrono>

#include "FuzzSupport.h"
#include "platform/DrivePath.h"
#include "results/BinRecord.h"

using namespace vellomar;

namespace {

using std::chrono::floor;
using std::chrono::seconds;

// A record is written to the second.
bool SameRecord(const BinRecord& a, const BinRecord& b) {
    return a.originalPath == b.originalPath && floor<seconds>(a.moved) == floor<seconds>(b.moved);
}

// Writes the record and reads it back; a path an ini line cannot hold is refused.
void CheckRoundTrip(const BinRecord& record) {
    std::string text;
    try {
        text = BinRecordText(record);
    } catch (const std::invalid_argument&) {
        FUZZ_REQUIRE(record.originalPath.find_first_of("\r\n") != std::string::npos);
        return;
    }
    const std::optional<BinRecord> read = ParseBinRecord(text);
    FUZZ_REQUIRE(read && SameRecord(*read, record));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<BinRecord> record = ParseBinRecord(text)) {
        const auto parts = SplitDrivePath(record->originalPath);
        FUZZ_REQUIRE(parts && !parts->names.empty());
        CheckRoundTrip(*record);
    }
    // The same bytes as the path of a file moved at the start of 2024.
    const BinRecord made{std::string(text), std::chrono::system_clock::from_time_t(1704067200)};
    const auto parts = SplitDrivePath(made.originalPath);
    if (parts && !parts->names.empty()) CheckRoundTrip(made);
    return 0;
}
