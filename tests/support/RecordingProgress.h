#pragma once
// An act's progress as its window is told it.

#include <cstddef>
#include <string>
#include <vector>

#include "run/ActProgress.h"

namespace vellomar::test {

class RecordingProgress final : public ActProgress {
public:
    void Begin(std::string_view what, std::size_t total) override {
        begun.emplace_back(what);
        totals.push_back(total);
        counts.clear();
        open = true;
    }
    void Reached(std::size_t done) override { counts.push_back(done); }
    void End() override {
        ++ended;
        open = false;
    }

    // The counts an act on total files tells when it reports after every one.
    static std::vector<std::size_t> EveryCountUpTo(std::size_t total) {
        std::vector<std::size_t> all;
        for (std::size_t done = 1; done <= total; ++done) all.push_back(done);
        return all;
    }

    std::vector<std::string> begun;
    std::vector<std::size_t> totals;
    std::vector<std::size_t> counts;  // of the last act begun
    int ended = 0;
    bool open = false;
};

}  // namespace vellomar::test
