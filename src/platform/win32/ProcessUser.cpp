#include "platform/win32/ProcessUser.h"

namespace vellomar {

ProcessUser::ProcessUser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return;
    DWORD size = 0;
    known_ = GetTokenInformation(token, TokenUser, buffer_, sizeof buffer_, &size);
    CloseHandle(token);
}

}  // namespace vellomar
