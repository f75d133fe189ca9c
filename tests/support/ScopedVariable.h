#pragma once
// An environment variable set while the object lives, then as it was before;
// a program the test starts meanwhile inherits it. POSIX only: under Windows
// the tests set no locale variables.

#include <cstdlib>
#include <optional>
#include <string>

namespace vellomar::test {

class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedVariable() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace vellomar::test
