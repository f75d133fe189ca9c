#include "cli/ShellPrompts.h"

#include "cli/PrintedEntry.h"

namespace vellomar::cli {

void ShellPrompts::ShowMessage(MessageKind kind, std::string_view text) {
    if (kind == MessageKind::Warning || kind == MessageKind::Error) somethingFailed_ = true;
    if (!subject_.empty()) std::fprintf(messages_, "%s: ", Shown(subject_).c_str());
    std::fprintf(messages_, "%s\n", PrintedLines(text).c_str());
}

std::string ShellPrompts::Shown(std::string_view name) const { return PrintedEntry(name); }

bool ShellPrompts::Answer(std::string_view question) {
    std::fprintf(messages_, "%s %s\n", PrintedLines(question).c_str(), answerYes_ ? "Yes" : "No");
    return answerYes_;
}

}  // namespace vellomar::cli
