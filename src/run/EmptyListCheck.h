#pragma once
// Commands that work on the result list's entries first make sure it holds
// one; with an empty list they tell the user so and go no further.

#include "run/MessagePrompts.h"
#include "run/ResultList.h"

namespace vellomar {

// "Delete", "Delete to Bin", "Highlight All", "Get Details", "Explore Folder",
// "View This File" and "Preview SS". True when the command may go on.
bool ListReadyForFileCommand(const ResultList& list, MessagePrompts& prompts);
// The four sort commands. True when the command may go on.
bool ListReadyForSort(const ResultList& list, MessagePrompts& prompts);

}  // namespace vellomar
