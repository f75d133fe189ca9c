#include "platform/win32/SystemApi.h"
#include <shlobj.h>

#include "platform/Platform.h"
#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

std::string KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string folder;
    // Made when missing, as a new account may not have it yet.
    if (SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path) == S_OK)
        folder = NativePathOf(path);
    CoTaskMemFree(path);
    return folder;
}

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (size == 0) return {};
        if (size < path.size()) {
            path.resize(size);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string native = NativePathOf(path);
    return native.substr(0, native.rfind('/'));
}

}  // namespace

UserFolders UserFolders::OfThisProcess() {
    return UserFolders{KnownFolder(FOLDERID_RoamingAppData), ExecutableFolder(),
                       UrlCache::CacheHomeOfThisUser()};
}

}  // namespace vellomar
