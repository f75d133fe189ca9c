#include "platform/posix/EndingSignalsHeld.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace vellomar {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

std::atomic<bool> held{false};
// The signals noted while a guard lives, one bit each; written by the handler.
std::atomic<unsigned> noted{0};
static_assert(std::atomic<unsigned>::is_always_lock_free, "written by a signal handler");
static_assert(std::atomic<bool>::is_always_lock_free, "read by a signal handler");

void EndAsByDefault(int signal) {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(signal, &byDefault, nullptr);
    raise(signal);
}

// Noted first, then looked whether a guard still holds it: a guard that
// goes meanwhile finds the note and sends the signal again.
void NoteOrEnd(int signal) {
    noted.fetch_or(1u << signal);
    if (!held.load()) {
        noted.fetch_and(~(1u << signal));
        EndAsByDefault(signal);
    }
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

EndingSignalsHeld::EndingSignalsHeld() {
    InstallHandlersOnce();
    held.store(true);
}

EndingSignalsHeld::~EndingSignalsHeld() {
    held.store(false);
    const unsigned resend = noted.exchange(0);
    for (int signal : kSignals)
        if (resend & (1u << signal)) kill(getpid(), signal);
}

}  // namespace vellomar
