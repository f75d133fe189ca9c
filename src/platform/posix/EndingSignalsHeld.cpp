#include "platform/posix/EndingSignalsHeld.h"

#include "platform/Interrupt.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace vellomar {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// How many guards live now, or kEnding once a signal has begun to end the
// process: no guard starts after that, so no step is begun that the ending
// would cut in two.
constexpr int kEnding = -1;
std::atomic<int> holders{0};
// The signals noted while a guard lives, one bit each; written by the handler.
std::atomic<unsigned> noted{0};
// The next SIGINT only asks the program to stop (TakeFirstInterruptAsStop).
std::atomic<bool> interruptStops{false};
std::atomic<bool> interruptAsked{false};
static_assert(std::atomic<unsigned>::is_always_lock_free, "written by a signal handler");
static_assert(std::atomic<bool>::is_always_lock_free, "written by a signal handler");
static_assert(std::atomic<int>::is_always_lock_free, "changed by a signal handler");

void EndAsByDefault(int signal) {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(signal, &byDefault, nullptr);
    raise(signal);
}

// A SIGINT taken as a stop ends nothing, held or not. Any other is noted
// first: should a guard hold it, the last guard to go finds the note and
// sends the signal again.
void NoteOrEnd(int signal) {
    if (signal == SIGINT && interruptStops.exchange(false)) {
        interruptAsked.store(true);
        return;
    }
    noted.fetch_or(1u << signal);
    int none = 0;
    if (holders.compare_exchange_strong(none, kEnding)) EndAsByDefault(signal);
}

void InstallHandlersOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction noting {};
        noting.sa_handler = NoteOrEnd;
        noting.sa_flags = SA_RESTART;
        for (int signal : kSignals) {
            struct sigaction previous {};
            // Ignored signals and the program's own handlers end nothing.
            if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL)
                sigaction(signal, &noting, nullptr);
        }
    });
}

}  // namespace

void TakeFirstInterruptAsStop() {
    InstallHandlersOnce();
    interruptStops.store(true);
}

bool InterruptAsked() { return interruptAsked.load(); }

EndingSignalsHeld::EndingSignalsHeld() {
    InstallHandlersOnce();
    // While a signal ends the process, wait for the end rather than begin.
    for (int now = holders.load();;) {
        if (now != kEnding && holders.compare_exchange_weak(now, now + 1)) break;
        if (now == kEnding) {
            std::this_thread::yield();
            now = holders.load();
        }
    }
}

EndingSignalsHeld::~EndingSignalsHeld() {
    if (holders.fetch_sub(1) != 1) return;
    const unsigned resend = noted.exchange(0);
    for (int signal : kSignals)
        if (resend & (1u << signal)) kill(getpid(), signal);
}

}  // namespace vellomar
