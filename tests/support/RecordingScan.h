#pragma once
// A search's window and modal windows for core tests: records what the window
// would show and answers the prompts from a script.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/ScanPrompts.h"
#include "scan/ScanView.h"

namespace vellomar::test {

class RecordingView : public ScanView {
public:
    void ShowTotalsCaptions(std::string_view files, std::string_view bytes) override {
        filesCaption = files;
        bytesCaption = bytes;
    }
    void ShowEntryCount(std::size_t count) override {
        entryCount = count;
        countHistory.push_back(count);
    }
    void ShowByteTotal(double bytes) override { byteTotal = bytes; }
    void ShowStatus(std::string_view text) override {
        statusHistory.emplace_back(text);
        if (onStatus) onStatus();
    }
    void ShowBusy(bool isBusy) override { busy = isBusy; }
    void SetEmptyListState() override { listState = "empty"; }
    void SetFilledListState() override { listState = "filled"; }
    void FitListWidth() override { ++fitCalls; }
    void Pump() override {
        ++pumps;
        if (onPump) onPump();
    }

    std::string filesCaption, bytesCaption;
    std::size_t entryCount = 0;
    std::vector<std::size_t> countHistory;
    double byteTotal = -1;
    std::vector<std::string> statusHistory;
    bool busy = false;
    std::string listState;
    int fitCalls = 0;
    int pumps = 0;
    std::function<void()> onPump;    // the user acting between entries
    std::function<void()> onStatus;  // ... or as soon as a folder is shown
};

class ScriptedPrompts : public ScanPrompts {
public:
    bool ShowCommandInformation(std::string_view text1, std::string_view text2) override {
        informationShown.emplace_back(std::string(text1), std::string(text2));
        return tickDontShowAgain;
    }
    void ShowCleanupSummary(const CleanupSummary& lines) override { summary = lines; }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
    }

    bool tickDontShowAgain = false;
    std::vector<std::pair<std::string, std::string>> informationShown;
    std::optional<CleanupSummary> summary;
    std::vector<std::pair<MessageKind, std::string>> messages;
};

}  // namespace vellomar::test
