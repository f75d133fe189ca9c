#pragma once

#include <functional>

#include "run/Session.h"
#include "scan/ScanPrompts.h"
#include "scan/ScanView.h"
#include "scan/WalkAdmission.h"

namespace vellomar {

// Everything one search works with.
struct SearchContext {
    Session& session;
    ScanView& view;
    ScanPrompts& prompts;
    // The folder rule of each walk a search starts.
    MakeWalkAdmission admissionForWalk;
    // Highlights every entry and asks whether to delete them; run after the
    // cleanup summary. Empty where no deletion may be offered.
    std::function<void()> offerCleanup;
};

}  // namespace vellomar
