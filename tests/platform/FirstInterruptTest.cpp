// The first Ctrl-C taken as a request to stop, in a child process that gets
// real signals: the first ends nothing, the second ends the process, but not
// while a step that must not be cut in two holds the ending signals.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/Interrupt.h"
#include "platform/posix/EndingSignalsHeld.h"

namespace vellomar {
namespace {

TEST(FirstInterrupt, TheFirstAsksToStopTheSecondEndsTheProcessOnceNothingHoldsIt) {
    int marks[2];
    ASSERT_EQ(pipe(marks), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(marks[0]);
        signal(SIGINT, SIG_DFL);
        const auto mark = [&](const char* text) { (void)!write(marks[1], text, 1); };
        if (InterruptAsked()) mark("x");
        TakeFirstInterruptAsStop();
        kill(getpid(), SIGINT);
        if (InterruptAsked()) mark("a");
        {
            const EndingSignalsHeld held;
            kill(getpid(), SIGINT);
            mark("b");  // alive while held
        }
        mark("c");  // the held signal has ended the process before this
        _exit(0);
    }
    close(marks[1]);
    std::string seen;
    char byte;
    while (read(marks[0], &byte, 1) == 1) seen += byte;
    close(marks[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(seen, "ab");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}

}  // namespace
}  // namespace vellomar
