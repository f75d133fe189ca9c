#include "platform/win32/WidePath.h"

#include "platform/Utf16Text.h"

namespace vellomar {

namespace {

// Where the next three bytes that encode a surrogate stand, from at on, or npos.
std::size_t EncodedSurrogateFrom(std::string_view text, std::size_t at) {
    for (; at + 2 < text.size(); ++at) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
        if (byte(0) == 0xED && byte(1) >= 0xA0 && byte(1) <= 0xBF && (byte(2) & 0xC0) == 0x80)
            return at;
    }
    return std::string_view::npos;
}

void AppendWide(std::wstring& wide, std::string_view text) {
    if (text.empty()) return;
    const std::size_t at = wide.size();
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    wide.resize(at + static_cast<std::size_t>(size));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data() + at,
                        size);
}

}  // namespace

std::wstring Widened(std::string_view text) {
    std::wstring wide;
    std::size_t from = 0;
    for (std::size_t at; (at = EncodedSurrogateFrom(text, from)) != std::string_view::npos;
         from = at + 3) {
        AppendWide(wide, text.substr(from, at - from));
        const auto bits = [&](std::size_t i, unsigned mask) {
            return static_cast<unsigned char>(text[at + i]) & mask;
        };
        wide.push_back(static_cast<wchar_t>(bits(0, 0x0F) << 12 | bits(1, 0x3F) << 6 |
                                            bits(2, 0x3F)));
    }
    AppendWide(wide, text.substr(from));
    return wide;
}

std::string Narrowed(std::wstring_view text) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows texts are UTF-16");
    return Utf8OfUtf16({reinterpret_cast<const char16_t*>(text.data()), text.size()});
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
