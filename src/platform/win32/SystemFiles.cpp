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

}  // namespace

// Native paths here are absolute, drive letter first.
std::string SystemFiles::MachineRoot() { return {}; }

// The system folder and the folders programs are installed in. Windows keeps
// no list of installed files that could be read soundly (an installer's
// records are its own), so no file elsewhere counts as the system's.
SystemTree SystemTreesOf(const std::string&) {
    SystemTree root{SystemTree::Kind::None, {}, {}};
    for (const wchar_t* name : {L"SystemRoot", L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        // A drive's root alone would make the whole drive the system's.
        const std::string folder = Variable(name);
        if (NativeNames(folder).size() >= 2) root.Branch(folder).kind = SystemTree::Kind::System;
    }
    return root;
}

void ForEachPackagedFile(const std::string&, const std::function<void(std::string_view)>&) {}

// Windows finds a name in any letter case.
std::string NameKey(std::string_view name) { return ToAsciiUpper(name); }

}  // namespace vellomar
