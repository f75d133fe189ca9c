#include "platform/CommandLine.h"

#include "platform/win32/SystemApi.h"
#include <shellapi.h>

#include "platform/win32/WidePath.h"

namespace vellomar {

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!wide) return arguments;
    for (int at = 1; at < count; ++at) arguments.push_back(Narrowed(wide[at]));
    LocalFree(wide);
    return arguments;
}

std::optional<std::string> ExistingFolderPath(std::string_view typed) {
    const std::wstring wideTyped = Widened(typed);
    if (wideTyped.empty()) return std::nullopt;
    const DWORD size = GetFullPathNameW(wideTyped.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::nullopt;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wideTyped.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return std::nullopt;
    full.resize(length);
    const DWORD attributes = GetFileAttributesW(SystemPath(NativePathOf(full)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return NativePathOf(full);
}

}  // namespace vellomar
