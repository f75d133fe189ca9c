#pragma once
// A name for the *at() calls: NUL-terminated, and only when it is a plain
// name, copied onto the stack so that a walk's look-ups allocate nothing.

#include <cstring>
#include <string_view>

#include "platform/Folder.h"

namespace vellomar {

class PlainName {
public:
    explicit PlainName(std::string_view name)
        : valid_(IsPlainName(name) && name.size() < sizeof text_) {
        if (!valid_) return;
        std::memcpy(text_, name.data(), name.size());
        text_[name.size()] = '\0';
    }
    explicit operator bool() const { return valid_; }
    const char* c_str() const { return text_; }

private:
    char text_[256];  // a name longer than 255 bytes is on no Linux file system
    bool valid_;
};

}  // namespace vellomar
