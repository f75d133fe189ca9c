#include "platform/Interrupt.h"

#include <atomic>

#include "platform/win32/SystemApi.h"

namespace vellomar {
namespace {

std::atomic<bool> interruptAsked{false};

// Runs on a thread of its own that the console starts. The first Ctrl-C is
// taken; from then on the next handler, the default, ends the process.
BOOL WINAPI TakeFirstCtrlC(DWORD event) {
    if (event != CTRL_C_EVENT || interruptAsked.exchange(true)) return FALSE;
    return TRUE;
}

}  // namespace

void TakeFirstInterruptAsStop() { SetConsoleCtrlHandler(TakeFirstCtrlC, TRUE); }

bool InterruptAsked() { return interruptAsked.load(); }

}  // namespace vellomar
