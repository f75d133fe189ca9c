#pragma once
// When something a long loop could do after every step is due: the first
// time once a delay has passed since the start, then at most once an
// interval. Asking costs one reading of a steady clock.

#include <chrono>

namespace vellomar {

class TimedPace {
public:
    using Clock = std::chrono::steady_clock;

    TimedPace(Clock::duration firstAfter, Clock::duration interval)
        : firstAfter_(firstAfter), interval_(interval) {}

    void Start(Clock::time_point now) { next_ = now + firstAfter_; }
    // True when due at now; the next time is then an interval after it.
    bool Due(Clock::time_point now) {
        if (now < next_) return false;
        next_ = now + interval_;
        return true;
    }

private:
    Clock::duration firstAfter_;
    Clock::duration interval_;
    Clock::time_point next_{};  // not started: due at once
};

}  // namespace vellomar
