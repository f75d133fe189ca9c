#pragma once
// The modal questions and messages of the garbage bin's commands.

#include <cstddef>
#include <string_view>

#include "run/ActProgress.h"
#include "run/MessagePrompts.h"

namespace vellomar {

class BinPrompts : public virtual MessagePrompts, public virtual ProgressPrompts {
public:
    // A confirmation with the buttons "Yes" and "No"; true for "Yes".
    virtual bool Confirm(std::string_view question) = 0;
    // How many of the files a command could not handle its message names, each
    // with its reason; a message box has room for ten, the rest are counted.
    virtual std::size_t FailuresNamed() const { return 10; }
};

}  // namespace vellomar
