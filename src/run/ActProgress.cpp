#include "run/ActProgress.h"

namespace vellomar {
namespace {

class SilentProgress final : public ActProgress {
public:
    void Begin(std::string_view, std::size_t) override {}
    void Reached(std::size_t) override {}
    void End() override {}
};

}  // namespace

ActProgress& NoProgress() {
    static SilentProgress silent;
    return silent;
}

ProgressScope::ProgressScope(ActProgress& progress, std::string_view what, std::size_t total)
    : progress_(progress) {
    progress_.Begin(what, total);
}

void ProgressScope::End() {
    if (ended_) return;
    ended_ = true;
    progress_.End();
}

}  // namespace vellomar
