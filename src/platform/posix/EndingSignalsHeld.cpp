#include "platform/posix/EndingSignalsHeld.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>

namespace vellomar {
namespace {

// The signals noted while a guard lives, one bit each; written by the handler.
std::atomic<unsigned> noted{0};
static_assert(std::atomic<unsigned>::is_always_lock_free, "written by a signal handler");

void Note(int signal) {
    if (signal > 0 && signal < 32) noted.fetch_or(1u << signal);
}

}  // namespace

EndingSignalsHeld::EndingSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kSignals) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &previousMask_);
    struct sigaction noting {};
    noting.sa_handler = Note;
    noting.sa_mask = held;
    noting.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &previousActions_[i]);
        // Ignored signals and the program's own handlers end nothing.
        if (previousActions_[i].sa_handler == SIG_DFL) sigaction(kSignals[i], &noting, nullptr);
    }
}

EndingSignalsHeld::~EndingSignalsHeld() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &previousActions_[i], nullptr);
    const unsigned resend = noted.exchange(0);
    for (int signal : kSignals)
        if (resend & (1u << signal)) kill(getpid(), signal);
    // What was sent to this thread meanwhile, and what was just sent again,
    // takes effect here.
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace vellomar
