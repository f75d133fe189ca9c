#include "cli/CliBin.h"

#include <limits>

#include "cli/PrintedEntry.h"
#include "cli/ShellPrompts.h"
#include "platform/MomentText.h"
#include "results/BinItemKey.h"
#include "results/BinWindowCommands.h"

namespace vellomar::cli {
namespace {

class ShellBinPrompts final : public BinPrompts, public ShellPrompts {
public:
    using ShellPrompts::ShellPrompts;
    bool Confirm(std::string_view question) override { return Answer(question); }
    std::size_t FailuresNamed() const override { return std::numeric_limits<std::size_t>::max(); }
};

void ListItems(const std::vector<BinItem>& items, std::FILE* out) {
    const std::vector<std::string> keys = BinItemKeys(items);
    for (std::size_t index = 0; index < items.size(); ++index) {
        const BinItem& item = items[index];
        const std::string line = keys[index] + '\t' + PrintedEntry(ListedText(item)) + '\t' +
                                 std::to_string(item.size) + '\t' + MomentText(item.moved) + '\t' +
                                 PrintedEntry(item.binFolder);
        std::fprintf(out, "%s\n", line.c_str());
    }
}

}  // namespace

int RunBinCommand(Session& session, const CliOptions& options, std::FILE* out, std::FILE* messages) {
    GarbageBin bin(session.platform, session.dataFolder.DataFolderPath);
    ShellBinPrompts prompts(options.answerYes, messages);
    BinWindowCommands commands(bin, prompts, session.cleanup.CleanedFileCount,
                               session.cleanup.ReclaimedBytes);
    if (options.binAction == kBinList) {
        ListItems(commands.Items(), out);
    } else if (options.binAction == kBinEmpty) {
        commands.EmptyEntireBin();
    } else {
        bool unknownKey = false;
        for (const std::string& key : options.binIds) {
            prompts.SetSubject(key);
            const std::optional<std::size_t> index = FindBinItem(commands.Items(), key);
            if (!index) {
                std::fprintf(messages, "%s: no such item in the bin\n", PrintedEntry(key).c_str());
                unknownKey = true;
                continue;
            }
            commands.Highlight(index);
            if (options.binAction == kBinRestore) commands.RestoreFile();
            else commands.DeleteFile();
        }
        if (unknownKey) return 1;
    }
    return prompts.SomethingFailed() ? 1 : 0;
}

}  // namespace vellomar::cli
