#pragma once
// How far a long act on many files has come: a deletion, moves into the
// garbage bin, emptying the bin. Such an act keeps the window's thread until
// it ends, so the window shows the count in a modal window of its own that
// repaints while every other command waits.

#include <cstddef>
#include <string_view>

namespace vellomar {

class ActProgress {
public:
    virtual ~ActProgress() = default;
    // The act is about to take on total files.
    virtual void Begin(std::string_view what, std::size_t total) = 0;
    // done of them have been handled (acted on, or failed); told after every
    // file, so it must cost next to nothing when nothing is drawn.
    virtual void Reached(std::size_t done) = 0;
    // The act is over, also when it stopped early.
    virtual void End() = 0;
};

// Shows nothing: the command line, and the tests that do not look.
ActProgress& NoProgress();

// The windows of the acts that report how far they have come.
class ProgressPrompts {
public:
    virtual ~ProgressPrompts() = default;
    virtual ActProgress& Progress() { return NoProgress(); }
};

// One act's report: begun when made, ended by End() or at the latest when
// it goes out of scope, so that a failure thrown out of the act closes it too.
class ProgressScope {
public:
    ProgressScope(ActProgress& progress, std::string_view what, std::size_t total);
    ~ProgressScope() { End(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void Reached(std::size_t done) { progress_.Reached(done); }
    // Before the act's closing message, which must not open under the count.
    void End();

private:
    ActProgress& progress_;
    bool ended_ = false;
};

}  // namespace vellomar
