#include "platform/win32/PrivateFolder.h"

namespace vellomar {

OwnerOnlySecurity::OwnerOnlySecurity() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    DWORD size = 0;
    const bool toldUser = GetTokenInformation(token, TokenUser, user_, sizeof user_, &size);
    CloseHandle(token);
    if (!toldUser) return;
    const PSID user = reinterpret_cast<TOKEN_USER*>(user_)->User.Sid;
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
