#pragma once
// Folders of the user's alone: made with a protected access list that grants
// this process's user, and no one else, full control, so that no moment
// passes in which they stand open to others the way a folder at a drive's
// root, inheriting that root's list, would.

#include "platform/win32/ProcessUser.h"
#include "platform/win32/SystemApi.h"

namespace vellomar {

// Whether a POSIX mode keeps a folder its owner's alone: nothing for group
// and others.
constexpr bool IsOwnerOnlyMode(unsigned mode) { return (mode & 077) == 0; }

// A security descriptor that owns a new entry to this user and lets this
// user alone reach it; what is made inside inherits that. No entry is given
// to the system's accounts: an administrator reaches it only by taking it
// over, as root on a POSIX system reads a 0700 folder only through his right
// to read everything.
class OwnerOnlySecurity {
public:
    OwnerOnlySecurity();
    OwnerOnlySecurity(const OwnerOnlySecurity&) = delete;  // the descriptor points into itself
    OwnerOnlySecurity& operator=(const OwnerOnlySecurity&) = delete;
    // Nothing where this process's user could not be told.
    PSECURITY_DESCRIPTOR Get() { return ready_ ? &descriptor_ : nullptr; }

private:
    ProcessUser user_;
    alignas(ACL) unsigned char acl_[sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + SECURITY_MAX_SID_SIZE];
    SECURITY_DESCRIPTOR descriptor_;
    bool ready_ = false;
};

}  // namespace vellomar
