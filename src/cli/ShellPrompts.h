#pragma once
// The core commands' modal questions and messages on stderr: each question
// with the answer the command line gave ("No" unless --yes), each message on
// lines of its own, a warning or an error remembered as a failure.

#include <cstdio>
#include <string>
#include <string_view>

#include "run/MessagePrompts.h"

namespace vellomar::cli {

class ShellPrompts : public virtual MessagePrompts {
public:
    ShellPrompts(bool answerYes, std::FILE* messages) : answerYes_(answerYes), messages_(messages) {}

    void ShowMessage(MessageKind kind, std::string_view text) override;
    std::string Shown(std::string_view name) const override;
    // Whether a warning or an error was shown: something could not be done.
    bool SomethingFailed() const { return somethingFailed_; }
    // What the messages are about (a name, quoted here), named before each;
    // none when empty.
    void SetSubject(std::string subject) { subject_ = std::move(subject); }

protected:
    bool Answer(std::string_view question);

private:
    bool answerYes_;
    std::FILE* messages_;
    std::string subject_;
    bool somethingFailed_ = false;
};

}  // namespace vellomar::cli
