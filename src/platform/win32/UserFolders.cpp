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

// %APPDATA% when it names a folder by an absolute path, as the system sets it
// for every process (and as a person may set it to keep a run's settings and
// bin apart); the known folder otherwise.
std::string ApplicationDataFolder() {
    const DWORD size = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    std::wstring folder(size, L'\0');
    if (size > 0 && GetEnvironmentVariableW(L"APPDATA", folder.data(), size) == size - 1) {
        folder.resize(size - 1);
        while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/'))
            folder.pop_back();
        const bool absolute = (folder.size() >= 3 && folder[1] == L':' &&
                               (folder[2] == L'\\' || folder[2] == L'/')) ||
                              folder.starts_with(L"\\\\");
        if (absolute) {
            // Made when missing, as the known folder is.
            const std::string native = NativePathOf(folder);
            CreateDirectoryW(SystemPath(native).c_str(), nullptr);
            return native;
        }
    }
    return KnownFolder(FOLDERID_RoamingAppData);
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
    // No trash folder of the user's own: the recycle bins lie at each drive's
    // top, where the walks know them by name. The data folder keeps its bin:
    // %APPDATA% is the user's data and settings alike, where the bin has
    // always been.
    return UserFolders{ApplicationDataFolder(), ExecutableFolder(),
                       UrlCache::CacheHomeOfThisUser()};
}

}  // namespace vellomar
