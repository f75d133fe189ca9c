#include "cli/ShellPrompts.h"

namespace vellomar::cli {

void ShellPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    if (kind == MessageKind::Warning || kind == MessageKind::Error) somethingFailed_ = true;
    if (!subject_.empty()) std::fprintf(messages_, "%s: ", subject_.c_str());
    std::fprintf(messages_, "%.*s\n", int(text.size()), text.data());
}

bool ShellPrompts::Answer(std::string_view question) {
    std::fprintf(messages_, "%.*s %s\n", int(question.size()), question.data(),
                 answerYes_ ? "Yes" : "No");
    return answerYes_;
}

}  // namespace vellomar::cli
