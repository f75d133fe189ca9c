#pragma once
// Message boxes: how the program tells the user what went wrong or what to know.

#include <string_view>

namespace vellomar {

enum class MessageKind {
    Plain,        // the program's title as caption, one OK button
    Information,  // the toolkit's message dialogs, each with its own caption and icon
    Warning,
    Error,
};

class MessagePrompts {
public:
    virtual ~MessagePrompts() = default;
    virtual void ShowMessage(MessageKind kind, std::string_view text) = 0;
};

}  // namespace vellomar
