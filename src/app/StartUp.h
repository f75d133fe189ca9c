#pragma once
// The program's start: run once while the main window is made, before it first
// appears and before any other window exists.

#include "quicksearch/QuickSearchCommands.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The modal windows of the start. Tests answer them from a script.
class StartUpPrompts : public virtual MessagePrompts {
public:
    // The Scan Drive window, on the first start: its creation makes the scan
    // log, and the user may scan drives for browser profiles before "Ok".
    virtual void ShowScanDriveWindow() = 0;
    // The administrator notice; true when "Don't show me this message again"
    // was ticked when it closed.
    virtual bool ShowAdministratorNotice() = 0;
};

// Creates the data folder when it is missing (one level: its parent is the
// user's application-data folder). A folder that cannot be created is reported
// as a warning and the start goes on.
void InitDataFolder(const Session& session, MessagePrompts& prompts);

// The whole start-up sequence. A failed ini write is shown as an error and ends
// the sequence at that step; the main window then opens with the steps done so far.
// The Quick Search status lines are shown on statusView.
void RunStartUpSequence(Session& session, StartUpPrompts& prompts,
                        QuickSearchStatusView& statusView);

}  // namespace vellomar
