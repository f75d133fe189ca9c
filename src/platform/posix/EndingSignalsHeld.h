#pragma once
// Holds back, while it lives, the signals that end a program from a terminal
// or a session (SIGINT, SIGTERM, SIGHUP, SIGQUIT), so that a step which must
// not be cut in two (a file put aside and not yet removed) never is: a signal
// that comes meanwhile takes effect as the guard goes, as it would have.
//
// Blocking them on the calling thread is not enough where the process has
// other threads (the walk's readers, the toolkit's): the system hands a
// signal sent to the process to any thread that does not block it. So the
// first guard gives each of those signals that still ends the process by
// default a handler, on every thread: while a guard lives it only notes the
// signal, which is sent again once the step is over; otherwise it ends the
// process as the default would. A guard then costs no system call, which
// matters to a deletion that takes one per file. Guards may nest; the signals
// take effect as the last one goes. The same handler takes the first SIGINT
// as a request to stop when asked to (platform/Interrupt.h): one handler,
// one set of rules.

namespace vellomar {

class EndingSignalsHeld {
public:
    EndingSignalsHeld();
    ~EndingSignalsHeld();
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;
};

}  // namespace vellomar
