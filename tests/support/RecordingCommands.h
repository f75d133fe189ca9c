#pragma once
// The main window as the file commands drive it ("Delete", "Delete to Bin",
// the bin window's buttons, File Details): records the messages it shows and
// answers every question from the script.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "results/BinPrompts.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"
#include "results/FileDetails.h"
#include "support/RecordingProgress.h"

namespace vellomar::test {

class RecordingCommandWindow final : public DeletionView,
                                     public DeletionPrompts,
                                     public DeleteToBinView,
                                     public DeleteToBinPrompts,
                                     public FileDetailsView {
public:
    bool ConfirmDeletion(std::string_view text) override { return Confirm(text); }
    bool Confirm(std::string_view question) override {
        questions.emplace_back(question);
        return answerYes;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        messages.emplace_back(kind, std::string(text));
        if (progress.open) ++messagesUnderProgress;
    }
    void ShowGarbageBin() override { ++binShown; }
    ActProgress& Progress() override { return progress; }
    void ShowFileDetailLines(const FileDetailLines& lines) override { details = lines; }

    void ShowEntryCount(std::size_t count) override { entryCount = count; }
    void ShowByteTotal(double bytes) override { byteTotal = bytes; }
    void ShowListChange() override { ++listChanges; }
    void DescribeCurrentEntry() override { ++detailsShown; }
    void ShowDateAndSizeLines() override {}
    void SetEmptyListState() override { emptyState = true; }

    // The texts of the messages shown so far.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& [kind, text] : messages) texts.push_back(text);
        return texts;
    }

    bool answerYes = true;
    std::vector<std::string> questions;
    std::vector<std::pair<MessageKind, std::string>> messages;
    std::optional<FileDetailLines> details;
    int binShown = 0;
    std::size_t entryCount = 0;
    double byteTotal = -1;
    int listChanges = 0;
    int detailsShown = 0;
    bool emptyState = false;
    RecordingProgress progress;
    int messagesUnderProgress = 0;  // a box opened while the count was still shown
};

}  // namespace vellomar::test
