#pragma once
// Holds back, while it lives, the signals that end a program from a terminal
// or a session (SIGINT, SIGTERM, SIGHUP, SIGQUIT), so that a step which must
// not be cut in two (a file put aside and not yet removed) never is: a signal
// that comes meanwhile takes effect as the guard goes, as it would have.
//
// Blocking them on the calling thread is not enough where the process has
// other threads (the walk's readers, the toolkit's): the system hands a
// signal sent to the process to any thread that does not block it. So while
// the guard lives, a signal that would end the process by default is only
// noted, on whichever thread takes it, and sent again once the step is over.
// One guard at a time, on one thread.

#include <signal.h>

namespace vellomar {

class EndingSignalsHeld {
public:
    EndingSignalsHeld();
    ~EndingSignalsHeld();
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    sigset_t previousMask_;
    struct sigaction previousActions_[sizeof kSignals / sizeof kSignals[0]];
};

}  // namespace vellomar
