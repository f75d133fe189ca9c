#pragma once
// The user's interrupt (Ctrl-C on a terminal or console) taken as a request
// to stop, as the window's Stop button is, rather than as the end of the
// process.

namespace vellomar {

// From now on the first interrupt ends nothing: it only asks the program to
// stop, which InterruptAsked then tells. A second one ends the process at
// once, as by default; under POSIX it waits, like every ending signal, for
// a step that must not be cut in two (EndingSignalsHeld).
void TakeFirstInterruptAsStop();

// Whether that first interrupt has come. Safe to call from any thread.
bool InterruptAsked();

}  // namespace vellomar
