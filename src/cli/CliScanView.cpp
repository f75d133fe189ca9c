#include "cli/CliScanView.h"

#include "cli/PrintedEntry.h"
#include "platform/Interrupt.h"
#include "scan/ByteTotal.h"

namespace vellomar::cli {

void CliScanView::ShowTotalsCaptions(std::string_view filesCaption, std::string_view bytesCaption) {
    filesCaption_ = filesCaption;
    bytesCaption_ = bytesCaption;
}

void CliScanView::ShowEntryCount(std::size_t count) {
    count_ = count;
    if (busy_) progress_.ShowFiles(count);
}

void CliScanView::ShowByteTotal(double bytes) {
    bytes_ = bytes;
    if (busy_) progress_.ShowBytes(bytes);
}

void CliScanView::ShowStatus(std::string_view text) {
    if (busy_) progress_.EnterFolder(text);
}

void CliScanView::ShowBusy(bool busy) {
    busy_ = busy;
    if (!busy) progress_.Clear();
}

void CliScanView::Pump() {
    if (InterruptAsked()) scan_.ContinueScan = false;
}

void CliScanView::ShowCleanupSummary(const CleanupSummary& lines) { summary_ = lines; }

void CliScanView::ShowMessage(MessageKind kind, std::string_view text) {
    if (kind == MessageKind::Error) errorShown_ = true;
    progress_.Clear();
    std::fprintf(messages_, "vellomar-cli: %s\n", PrintedLines(text).c_str());
}

void CliScanView::PrintReport() const {
    std::fprintf(messages_, "%s%zu\n%s%s\n", filesCaption_.c_str(), count_, bytesCaption_.c_str(),
                 FormatByteTotal(bytes_).c_str());
    if (!summary_) return;
    for (const std::string& line : *summary_) std::fprintf(messages_, "%s\n", line.c_str());
}

}  // namespace vellomar::cli
