#include "run/EmptyListCheck.h"

#include <string_view>

namespace vellomar {
namespace {

bool HasEntriesOrSay(const ResultList& list, MessagePrompts& prompts, std::string_view message) {
    if (!list.Empty()) return true;
    prompts.ShowMessage(MessageKind::Plain, message);
    return false;
}

}  // namespace

bool ListReadyForFileCommand(const ResultList& list, MessagePrompts& prompts) {
    return HasEntriesOrSay(list, prompts, "The list above is currently empty.");
}

bool ListReadyForSort(const ResultList& list, MessagePrompts& prompts) {
    return HasEntriesOrSay(list, prompts, "The list is currently empty.");
}

}  // namespace vellomar
