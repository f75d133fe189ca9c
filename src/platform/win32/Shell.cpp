#include "platform/Shell.h"

#include "platform/win32/SystemApi.h"
#include <shellapi.h>

#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

// The shell takes paths as a person writes them, without the "\\?\" form.
std::wstring ShellPath(const std::string& nativePath) {
    std::wstring path = Widened(nativePath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.size() == 2 && path[1] == L':') path += L'\\';
    return path;
}

// One argument of a command line as the C runtime splits it again: quoted,
// each quote escaped, and the backslashes before a quote doubled.
std::wstring Quoted(std::wstring_view argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

}  // namespace

int OpenWithDesktop(const std::string& nativePath) {
    // The shell's own numbering is the program's.
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"open", ShellPath(nativePath).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? kShellStarted : static_cast<int>(result);
}

bool StartProgramFile(const std::string& nativePath, const std::string& argument) {
    const std::wstring program = ShellPath(nativePath);
    std::wstring commandLine = Quoted(program) + L" " + Quoted(Widened(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        DETACHED_PROCESS, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace vellomar
