#include "scan/ScanLifecycle.h"

#include <string>

#include "scan/ByteTotal.h"

namespace vellomar {
namespace {

constexpr std::string_view kInfoSection = "Info";
constexpr std::string_view kNothingFound = "No files found (or you did not search).";

// Padded to one width so that the arrows line up in the summary's fixed-pitch font.
constexpr std::string_view kGarbagePrefix = "Garbage Files      -> ";
constexpr std::string_view kZeroBytePrefix = "0 Byte Files       -> ";
constexpr std::string_view kInternetPrefix = "All Internet Files -> ";
constexpr std::string_view kInternetPicPrefix = "Internet Pictures  -> ";

std::string CountAndBytesLine(std::string_view prefix, std::int32_t count, double bytes) {
    return std::string(prefix) + std::to_string(count) + " files FOUND, consuming " +
           FormatByteTotal(bytes) + " bytes.";
}

bool FoundRemovableFiles(const ScanState& scan) {
    return scan.GarbageCount > 0 || scan.ZeroByteCount > 0 || scan.InternetPicCount > 0 ||
           scan.InternetCount > 0;
}

}  // namespace

void ShowCommandInfo(SearchContext& context, std::string_view infoKey, std::string_view text1,
                     std::string_view text2) {
    const IniFile switches =
        context.session.platform.Ini(context.session.dataFolder.InfoSwitchesPath);
    if (!switches.ReadBool(kInfoSection, infoKey, false)) return;
    if (context.prompts.ShowCommandInformation(text1, text2))
        switches.WriteBool(kInfoSection, infoKey, false);
}

void ResetScan(SearchContext& context) {
    ScanState& scan = context.session.scan;
    scan.ContinueScan = true;
    scan.ZeroCountersAndTotals();

    context.session.results.Clear();
    context.view.ShowTotalsCaptions(kFilesCaption, kBytesCaption);
    context.view.ShowEntryCount(0);
    context.view.ShowByteTotal(0);

    context.view.ShowBusy(true);
    scan.ClearCategoryFlags();
}

CleanupSummary CleanupSummaryLines(const ScanState& scan) {
    CleanupSummary lines = {
        std::string(kGarbagePrefix).append(kNothingFound),
        std::string(kZeroBytePrefix).append(kNothingFound),
        std::string(kInternetPrefix).append(kNothingFound),
        std::string(kInternetPicPrefix).append(kNothingFound),
    };
    if (scan.GarbageCount > 0)
        lines[0] = CountAndBytesLine(kGarbagePrefix, scan.GarbageCount, scan.GarbageBytes);
    if (scan.ZeroByteCount > 0)
        lines[1] = std::string(kZeroBytePrefix) + std::to_string(scan.ZeroByteCount) + " files FOUND.";
    if (scan.InternetCount > 0)
        lines[2] = CountAndBytesLine(kInternetPrefix, scan.InternetCount, scan.InternetBytes);
    if (scan.InternetPicCount > 0)
        lines[3] = CountAndBytesLine(kInternetPicPrefix, scan.InternetPicCount, scan.InternetPicBytes);
    return lines;
}

void FinishScan(SearchContext& context) {
    context.view.ShowBusy(false);
    context.view.ShowStatus(kScanCompleteStatus);

    if (FoundRemovableFiles(context.session.scan) && !context.session.endRequested) {
        context.prompts.ShowCleanupSummary(CleanupSummaryLines(context.session.scan));
        if (!context.session.results.Empty() && context.offerCleanup) context.offerCleanup();
    }

    if (context.session.results.Empty()) context.view.SetEmptyListState();
    else context.view.SetFilledListState();
}

}  // namespace vellomar
