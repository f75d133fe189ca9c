#pragma once
// The modal windows a search opens. Tests answer them from a script.

#include <array>
#include <string>
#include <string_view>

#include "run/MessagePrompts.h"

namespace vellomar {

using CleanupSummary = std::array<std::string, 4>;

class ScanPrompts : public virtual MessagePrompts {
public:

    // The information window; true when "Don't Show This Informational Message
    // Again" was ticked when it closed.
    virtual bool ShowCommandInformation(std::string_view text1, std::string_view text2) = 0;
    // The "Automatic Cleanup Option" window with its four result lines.
    virtual void ShowCleanupSummary(const CleanupSummary& lines) = 0;
};

}  // namespace vellomar
