#include "platform/posix/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>

#include "platform/posix/FileDescriptor.h"

extern char** environ;

namespace vellomar {
namespace {

using Clock = std::chrono::steady_clock;

// An answer longer than this is no answer to the questions asked here.
constexpr std::size_t kMaxOutput = 4096;

pid_t WaitFor(pid_t child, int& status) {
    pid_t reaped;
    do reaped = waitpid(child, &status, 0);
    while (reaped < 0 && errno == EINTR);
    return reaped;
}

// Spawn's argument vector: pointers into the strings, ended by a null pointer.
std::vector<char*> ArgumentVector(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return argv;
}

int Spawn(pid_t& child, std::vector<std::string> arguments, ProgramLookup lookup,
          const posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv = ArgumentVector(arguments);
    // posix_spawn reports a failed exec as its result (glibc 2.24 on, musl, the
    // BSDs); posix_spawnp alone searches PATH.
    return lookup == ProgramLookup::SearchPath
               ? posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ)
               : posix_spawn(&child, argv[0], actions, nullptr, argv.data(), environ);
}

// Reads what the child writes until it closes its end or the deadline passes.
// False when the deadline passed first.
bool ReadUntilClosed(int fd, std::string& output, Clock::time_point deadline) {
    char buffer[512];
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd readable{fd, POLLIN, 0};
        const int ready = poll(&readable, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return true;
        if (output.size() < kMaxOutput)
            output.append(buffer, std::min<std::size_t>(static_cast<std::size_t>(got), kMaxOutput - output.size()));
    }
}

}  // namespace

int StartDetached(const std::vector<std::string>& arguments, ProgramLookup lookup) {
    pid_t child;
    if (const int error = Spawn(child, arguments, lookup, nullptr)) return error;
    try {
        std::thread([child] {
            int status;
            WaitFor(child, status);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to reap it with: it stays a zombie until the program ends.
    }
    return 0;
}

std::optional<std::string> FirstLineOfOutput(const std::vector<std::string>& arguments,
                                             std::chrono::milliseconds patience) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return std::nullopt;
    FileDescriptor readEnd(ends[0]);
    FileDescriptor writeEnd(ends[1]);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return std::nullopt;
    posix_spawn_file_actions_adddup2(&actions, writeEnd.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child;
    const int error = Spawn(child, arguments, ProgramLookup::SearchPath, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return std::nullopt;
    writeEnd.Reset(-1);  // the child's copy alone keeps the pipe open

    std::string output;
    const bool ended = ReadUntilClosed(readEnd.Get(), output, Clock::now() + patience);
    // Whatever the program started may still hold the pipe: the program itself
    // is killed when late, and reaped either way.
    if (!ended) kill(child, SIGKILL);
    int status = 0;
    WaitFor(child, status);
    if (!ended) return std::nullopt;
    return output.substr(0, output.find('\n'));
}

}  // namespace vellomar
