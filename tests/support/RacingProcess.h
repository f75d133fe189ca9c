#pragma once
// Another process changing the disk while a test works: a child process runs
// one round of changes over and over, from construction until destruction
// (or until the test process dies).

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace vellomar::test {

class RacingProcess {
public:
    explicit RacingProcess(const std::function<void()>& round) : pid_(fork()) {
        if (pid_ != 0) return;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (;;) round();
    }
    ~RacingProcess() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    RacingProcess(const RacingProcess&) = delete;
    RacingProcess& operator=(const RacingProcess&) = delete;

private:
    pid_t pid_;
};

}  // namespace vellomar::test
