#pragma once
// This process's user, as its access token names it.

#include "platform/win32/SystemApi.h"

namespace vellomar {

class ProcessUser {
public:
    ProcessUser();
    ProcessUser(const ProcessUser&) = delete;  // the SID points into the buffer
    ProcessUser& operator=(const ProcessUser&) = delete;
    // Nothing where the token could not be read.
    PSID Sid() const {
        return known_ ? reinterpret_cast<const TOKEN_USER*>(buffer_)->User.Sid : nullptr;
    }

private:
    alignas(TOKEN_USER) unsigned char buffer_[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    bool known_ = false;
};

}  // namespace vellomar
