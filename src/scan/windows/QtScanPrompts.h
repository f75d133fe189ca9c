#pragma once
// A search's modal windows as the desktop program shows them. The two windows
// are made once and shown again at every search.

#include "scan/ScanPrompts.h"
#include "scan/windows/TFrmclean.h"
#include "scan/windows/TFrminfo.h"

namespace vellomar {

class QtScanPrompts final : public ScanPrompts {
public:
    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override;
    void ShowCleanupSummary(const CleanupSummary& lines) override;
    void ShowMessage(MessageKind kind, std::string_view text) override;

private:
    TFrminfo infoWindow_;
    TFrmclean summaryWindow_;
};

}  // namespace vellomar
