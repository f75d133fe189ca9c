#include "run/ScanState.h"

namespace vellomar {

void ScanState::SubtractListedBytes(double bytes) {
    ScanBytes = ScanBytes > bytes ? ScanBytes - bytes : 0;
}

void ScanState::ClearCategoryFlags() {
    FindGarbage = FindPictures = FindScreensavers = FindWebpages = FindDocuments = false;
    FindZips = FindVideos = FindSounds = FindIniDat = FindZeroByte = false;
    FindLogs = FindTax = FindBookmarks = NameSearchActive = false;
}

void ScanState::ZeroCountersAndTotals() {
    GarbageCount = ZeroByteCount = InternetCount = InternetPicCount = 0;
    ScanBytes = GarbageBytes = InternetBytes = InternetPicBytes = 0;
}

}  // namespace vellomar
