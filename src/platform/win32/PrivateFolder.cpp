#include "platform/win32/PrivateFolder.h"

namespace vellomar {

OwnerOnlySecurity::OwnerOnlySecurity() {
    const PSID user = user_.Sid();
    if (!user) return;
    auto* acl = reinterpret_cast<ACL*>(acl_);
    // The owner is named, not left to the token's default, which for an
    // elevated administrator is the Administrators group and not the user.
    ready_ = InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
             SetSecurityDescriptorOwner(&descriptor_, user, FALSE) &&
             InitializeAcl(acl, sizeof acl_, ACL_REVISION) &&
             AddAccessAllowedAceEx(acl, ACL_REVISION, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE,
                                   FILE_ALL_ACCESS, user) &&
             SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
             // Protected: nothing of the parent's list is inherited.
             SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
}

}  // namespace vellomar
