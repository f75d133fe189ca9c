#include "cli/CliDeletion.h"

#include <string_view>

namespace vellomar::cli {
namespace {

// The list is printed once the removal is over; only the counters are kept.
class CliDeletion final : public DeletionView, public DeletionPrompts {
public:
    CliDeletion(ScanView& labels, bool answerYes, std::FILE* messages)
        : labels_(labels), answerYes_(answerYes), messages_(messages) {}

    void ShowEntryCount(std::size_t count) override { labels_.ShowEntryCount(count); }
    void ShowByteTotal(double bytes) override { labels_.ShowByteTotal(bytes); }
    void ShowListChange() override {}
    void DescribeCurrentEntry() override {}
    void ShowDateAndSizeLines() override {}
    void SetEmptyListState() override {}

    bool ConfirmDeletion(std::string_view text) override {
        std::fprintf(messages_, "%.*s %s\n", int(text.size()), text.data(), answerYes_ ? "Yes" : "No");
        return answerYes_;
    }
    void ShowMessage(MessageKind kind, std::string_view text) override {
        if (kind == MessageKind::Warning) someFilesRemain_ = true;
        std::fprintf(messages_, "%.*s\n", int(text.size()), text.data());
    }

    bool SomeFilesRemain() const { return someFilesRemain_; }

private:
    ScanView& labels_;
    bool answerYes_;
    std::FILE* messages_;
    bool someFilesRemain_ = false;
};

}  // namespace

bool DeleteEveryEntry(Session& session, ScanView& labels, bool answerYes, std::FILE* messages) {
    CliDeletion deletion(labels, answerYes, messages);
    DeletionContext context{session, deletion, deletion};
    HighlightAllAndDelete(context);
    return !deletion.SomeFilesRemain();
}

}  // namespace vellomar::cli
