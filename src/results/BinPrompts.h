#pragma once
// The modal questions and messages of the garbage bin's commands.

#include <string_view>

#include "run/MessagePrompts.h"

namespace vellomar {

class BinPrompts : public virtual MessagePrompts {
public:
    // A confirmation with the buttons "Yes" and "No"; true for "Yes".
    virtual bool Confirm(std::string_view question) = 0;
};

}  // namespace vellomar
