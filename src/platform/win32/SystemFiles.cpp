#include "platform/win32/SystemApi.h"

#include "platform/AsciiCase.h"
#include "platform/SystemFiles.h"
#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

std::string Variable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length == 0 || length >= size) return {};
    value.resize(length);
    return NativePathOf(value);
}

// Lays out the folder at an absolute path, each name by its key, as a System tree.
void AddSystemTree(SystemTree& root, std::string_view path) {
    SystemTree* tree = &root;
    std::size_t names = 0;
    while (!path.empty()) {
        const std::size_t end = path.find_first_of("/\\");
        const std::string_view name = path.substr(0, end);
        if (!name.empty()) {
            tree = &tree->branches.try_emplace(NameKey(name), SystemTree{SystemTree::Kind::None, {}, {}})
                        .first->second;
            ++names;
        }
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    // A drive's root alone would make the whole drive the system's.
    if (names >= 2) tree->kind = SystemTree::Kind::System;
}

}  // namespace

// Native paths here are absolute, drive letter first.
std::string SystemFiles::MachineRoot() { return {}; }

// The system folder and the folders programs are installed in. Windows keeps
// no list of installed files that could be read soundly (an installer's
// records are its own), so no file elsewhere counts as the system's.
SystemTree SystemTreesOf(const std::string&) {
    SystemTree root{SystemTree::Kind::None, {}, {}};
    for (const wchar_t* name : {L"SystemRoot", L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"})
        if (const std::string folder = Variable(name); !folder.empty()) AddSystemTree(root, folder);
    return root;
}

void ForEachPackagedFile(const std::string&, const std::function<void(std::string_view)>&) {}

// Windows finds a name in any letter case.
std::string NameKey(std::string_view name) { return ToAsciiUpper(name); }

}  // namespace vellomar
