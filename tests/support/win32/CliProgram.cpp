// Through CreateProcessW, with the command line as the program's own
// CommandLineToArgvW splits it, and %APPDATA% set for the child alone.

#include "support/CliProgram.h"

#include "platform/win32/SystemApi.h"
#include "platform/win32/WidePath.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace vellomar::test {
namespace {

namespace fs = std::filesystem;

// The program as Windows names it: a Linux build folder is reached under Wine
// through its Z: drive.
std::wstring ProgramPath() {
    std::wstring path = fs::path(VELLOMAR_CLI_PATH).wstring();
    if (path.starts_with(L"/")) path = L"Z:" + path;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// A handle a child process inherits as one of its standard outputs.
HANDLE InheritedFile(const fs::path& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// An environment variable of this process set while this lives, for the
// children it starts meanwhile.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

}  // namespace

CliRun RunCli(const CliHomes& homes, const std::string& arguments, const fs::path& scratch) {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + Widened(arguments);
    const fs::path out = scratch / "out.txt";
    const fs::path err = scratch / "err.txt";
    CliRun run;
    {
        const ScopedVariable appData(L"APPDATA", homes.config.wstring());
        const OwnedHandle outFile(InheritedFile(out));
        const OwnedHandle errFile(InheritedFile(err));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = outFile.Get();
        startup.hStdError = errFile.Get();
        PROCESS_INFORMATION process{};
        if (!outFile || !errFile ||
            !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "could not start the program, error " << GetLastError();
            return run;
        }
        const OwnedHandle child(process.hProcess);
        CloseHandle(process.hThread);
        WaitForSingleObject(child.Get(), INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(child.Get(), &status);
        run.status = static_cast<int>(status);
    }
    run.rawOut = ReadWholeFile(out);
    run.out = OutputLines(run.rawOut);
    run.err = OutputLines(ReadWholeFile(err));
    return run;
}

}  // namespace vellomar::test
