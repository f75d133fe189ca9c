#pragma once
// What the current search collects and what it has found so far. One per run,
// shared by the searches, the walk, the cache locator, the name search and deletion.

#include <cstdint>

namespace vellomar {

struct ScanState {
    bool ContinueScan = false;  // a running walk may go on; Stop clears it

    // The categories the current search collects.
    bool FindGarbage = false;
    bool FindPictures = false;
    bool FindScreensavers = false;
    bool FindWebpages = false;
    bool FindDocuments = false;
    bool FindZips = false;
    bool FindVideos = false;
    bool FindSounds = false;
    bool FindIniDat = false;
    bool FindZeroByte = false;
    bool FindLogs = false;
    bool FindTax = false;
    bool FindBookmarks = false;
    bool NameSearchActive = false;

    std::int32_t GarbageCount = 0;
    std::int32_t ZeroByteCount = 0;
    std::int32_t InternetCount = 0;
    std::int32_t InternetPicCount = 0;

    // Byte totals are sums of 64-bit sizes in double precision, shown with FormatByteTotal.
    double ScanBytes = 0;
    double GarbageBytes = 0;
    double InternetBytes = 0;
    double InternetPicBytes = 0;

    // A listed file went: its bytes leave ScanBytes. A file that grew after
    // it was listed may take more than it brought, never below nothing.
    void SubtractListedBytes(double bytes);

    void ClearCategoryFlags();
    void ZeroCountersAndTotals();
};

}  // namespace vellomar
