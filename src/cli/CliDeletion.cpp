#include "cli/CliDeletion.h"

#include <limits>
#include <string_view>

#include "app/StartUp.h"
#include "cli/ShellPrompts.h"
#include "results/DeleteToBin.h"
#include "results/Deletion.h"

namespace vellomar::cli {
namespace {

// The list is printed once the removal is over; only the counters are kept.
class CliDeletion final : public DeletionView,
                          public DeleteToBinView,
                          public DeletionPrompts,
                          public DeleteToBinPrompts,
                          public ShellPrompts {
public:
    CliDeletion(ScanView& labels, bool answerYes, std::FILE* messages)
        : ShellPrompts(answerYes, messages), labels_(labels) {}

    void ShowEntryCount(std::size_t count) override { labels_.ShowEntryCount(count); }
    void ShowByteTotal(double bytes) override { labels_.ShowByteTotal(bytes); }
    void ShowListChange() override {}
    void DescribeCurrentEntry() override {}
    void ShowDateAndSizeLines() override {}
    void SetEmptyListState() override {}

    bool ConfirmDeletion(std::string_view text) override { return Answer(text); }
    bool Confirm(std::string_view question) override { return Answer(question); }
    // No box to fill: every file is named.
    std::size_t FailuresNamed() const override { return std::numeric_limits<std::size_t>::max(); }
    void ShowGarbageBin() override {}  // "vellomar-cli bin list" shows it

private:
    ScanView& labels_;
};

}  // namespace

bool DeleteEveryEntry(Session& session, ScanView& labels, bool answerYes, std::FILE* messages) {
    CliDeletion deletion(labels, answerYes, messages);
    DeletionContext context{session, deletion, deletion};
    HighlightAllAndDelete(context);
    return !deletion.SomethingFailed();
}

bool MoveEveryEntryToBin(Session& session, ScanView& labels, bool answerYes, std::FILE* messages) {
    CliDeletion deletion(labels, answerYes, messages);
    // The data folder holds the bin of last resort: made as the program's start makes it.
    InitDataFolder(session, deletion);
    session.results.HighlightAll();
    DeleteToBin(session, deletion, deletion);
    return !deletion.SomethingFailed();
}

}  // namespace vellomar::cli
