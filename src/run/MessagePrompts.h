#pragma once
// Message boxes: how the program tells the user what went wrong or what to know.

#include <string>
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
    // A name (a path, an id) as it stands in a message or a question: as it
    // is in a window's box; quoted where a line break or an escape in it would
    // act on the terminal.
    virtual std::string Shown(std::string_view name) const { return std::string(name); }
};

}  // namespace vellomar
