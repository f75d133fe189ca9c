#include "scan/windows/QtScanPrompts.h"

#include "run/windows/MessageBox.h"
#include "run/windows/QtText.h"

namespace vellomar {

bool QtScanPrompts::ShowCommandInformation(std::string_view text1, std::string_view text2) {
    return infoWindow_.ShowTexts(ToQString(text1), ToQString(text2));
}

void QtScanPrompts::ShowCleanupSummary(const CleanupSummary& lines) {
    summaryWindow_.ShowLines({ToQString(lines[0]), ToQString(lines[1]), ToQString(lines[2]),
                        ToQString(lines[3])});
}

void QtScanPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    ShowMessageBox(nullptr, kind, ToQString(text));
}

}  // namespace vellomar
