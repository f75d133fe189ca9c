#include "cli/CliBin.h"

#include <limits>

#include "cli/EntryRecord.h"
#include "cli/PrintedEntry.h"
#include "cli/ShellPrompts.h"
#include "cli/Utf8Sequence.h"
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

std::string TsvLine(const std::string& key, const BinItem& item) {
    return key + '\t' + PrintedEntry(ListedText(item)) + '\t' + std::to_string(item.size) + '\t' +
           MomentText(item.moved) + '\t' + PrintedEntry(item.binFolder);
}

// {"key":..., "path":..., "size":..., "moved":..., "bin":...}, and
// "path_base64" with the exact bytes of a path that is not UTF-8.
std::string JsonLine(const std::string& key, const BinItem& item) {
    const std::string path = ListedText(item);
    std::string line = "{\"key\":";
    AppendJsonString(line, key);
    line += ",\"path\":";
    AppendJsonString(line, path);
    line += ",\"size\":" + std::to_string(item.size) + ",\"moved\":\"" + MomentText(item.moved) +
            "\",\"bin\":";
    AppendJsonString(line, item.binFolder);
    if (!IsWellFormedUtf8(path)) line += ",\"path_base64\":\"" + Base64(path) + "\"";
    return line + "}";
}

// One item a line, as the searches and the drive table print their records.
void ListItems(const std::vector<BinItem>& items, OutputFormat format, std::FILE* out) {
    const std::vector<std::string> keys = BinItemKeys(items);
    for (std::size_t index = 0; index < items.size(); ++index) {
        const std::string line = format == OutputFormat::Json ? JsonLine(keys[index], items[index])
                                                              : TsvLine(keys[index], items[index]);
        std::fprintf(out, "%s\n", line.c_str());
    }
}

}  // namespace

int RunBinCommand(Session& session, const CliOptions& options, std::FILE* out, std::FILE* messages) {
    GarbageBin bin(session.platform, session.dataFolder.DataFolderPath);
    ShellBinPrompts prompts(options.answerYes, messages);
    const bool byKey = options.binAction == kBinRestore || options.binAction == kBinDelete;
    // An item named by its key is looked up under its id alone, not in the whole bin.
    BinWindowCommands commands(bin, prompts, session.cleanup.CleanedFileCount,
                               session.cleanup.ReclaimedBytes,
                               byKey ? BinListing::NamedItem : BinListing::WholeBin);
    if (options.binAction == kBinList) {
        ListItems(commands.Items(), options.format, out);
    } else if (options.binAction == kBinEmpty) {
        if (options.olderThan)
            commands.EmptyItemsMovedBefore(std::chrono::system_clock::now() - *options.olderThan);
        else
            commands.EmptyEntireBin();
    } else {
        bool unknownKey = false;
        for (const std::string& key : options.binIds) {
            prompts.SetSubject(key);
            if (!commands.ShowItemOfKey(key)) {
                std::fprintf(messages, "%s: no such item in the bin\n", PrintedEntry(key).c_str());
                unknownKey = true;
                continue;
            }
            if (options.binAction == kBinRestore) commands.RestoreFile();
            else commands.DeleteFile();
        }
        if (unknownKey) return 1;
    }
    return prompts.SomethingFailed() ? 1 : 0;
}

}  // namespace vellomar::cli
