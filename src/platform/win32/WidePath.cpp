#include "platform/win32/WidePath.h"

namespace vellomar {

std::wstring Widened(std::string_view text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Narrowed(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        size, nullptr, nullptr);
    return narrow;
}

std::wstring SystemPath(std::string_view nativePath) {
    std::wstring path = Widened(nativePath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() == 2 && path[1] == L':') path += L'\\';  // the drive's root, not its current folder
    return L"\\\\?\\" + path;
}

std::string NativePathOf(std::wstring_view systemPath) {
    std::string path;
    if (systemPath.starts_with(L"\\\\?\\UNC\\")) {
        systemPath.remove_prefix(8);
        path = "//";
    } else if (systemPath.starts_with(L"\\\\?\\")) {
        systemPath.remove_prefix(4);
    }
    path += Narrowed(systemPath);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.size() == 3 && path[1] == ':' && path[2] == '/') path.pop_back();  // "C:"
    return path;
}

}  // namespace vellomar
