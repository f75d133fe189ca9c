#include "platform/Shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <future>
#include <system_error>
#include <thread>

extern char** environ;

namespace vellomar {
namespace {

// xdg-open's exit statuses.
constexpr int kOpenerFileMissing = 2;
constexpr int kOpenerToolMissing = 3;  // no application, or no tool to find one

int ResultOfExit(int status) {
    if (!WIFEXITED(status)) return kShellOtherFailure;
    switch (WEXITSTATUS(status)) {
        case 0: return kShellStarted;
        case kOpenerFileMissing: return kShellFileNotFound;
        case kOpenerToolMissing: return kShellNoAssociation;
        default: return kShellOtherFailure;
    }
}

// The child's exit status, waited for on a thread of its own, which also reaps
// a child that outlives the caller's patience.
std::future<int> ExitStatusOf(pid_t child) {
    std::promise<int> exit;
    std::future<int> status = exit.get_future();
    std::thread([child, exit = std::move(exit)]() mutable {
        int status = 0;
        pid_t reaped;
        do reaped = waitpid(child, &status, 0);
        while (reaped < 0 && errno == EINTR);
        // Where the system reaps children itself, the exit is unknown: taken as started.
        exit.set_value(reaped == child ? status : 0);
    }).detach();
    return status;
}

}  // namespace

int OpenWithDesktop(const std::string& nativePath, std::chrono::milliseconds patience) {
    // The opener would read a leading '-' as an option; an absolute path has none.
    if (nativePath.empty() || nativePath.front() != '/') return kShellOtherFailure;

    char program[] = "xdg-open";
    std::string argument = nativePath;
    char* argv[] = {program, argument.data(), nullptr};
    pid_t child;
    int error = posix_spawnp(&child, program, nullptr, nullptr, argv, environ);
    if (error == ENOENT) return kShellNoAssociation;  // no opener on PATH
    if (error != 0) return kShellOtherFailure;

    try {
        std::future<int> exit = ExitStatusOf(child);
        if (exit.wait_for(patience) == std::future_status::timeout) return kShellStarted;
        return ResultOfExit(exit.get());
    } catch (const std::system_error&) {
        return kShellStarted;  // no thread to wait with: the opener runs unwatched
    }
}

bool StartProgramFile(const std::string& nativePath, const std::string& argument) {
    // A relative path would name a file beside whatever folder is current.
    if (nativePath.empty() || nativePath.front() != '/') return false;

    std::string program = nativePath;
    std::string parameter = argument;
    char* argv[] = {program.data(), parameter.data(), nullptr};
    pid_t child;
    // posix_spawn reports a failed exec as its result (glibc 2.24 on, musl, the
    // BSDs), and unlike posix_spawnp never hands a file it cannot run to a shell.
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;

    try {
        ExitStatusOf(child);  // nobody waits for the program; its thread reaps it when it ends
    } catch (const std::system_error&) {
        // No thread to reap it with: it stays a zombie until the program ends.
    }
    return true;
}

}  // namespace vellomar
