#pragma once
// Opening a file with the application the desktop associates with its type,
// a folder in the desktop's file manager, and starting a program file.
// Results are numbered as the desktop platform numbers them, so callers can
// tell a missing file and a missing application apart from other failures.

#include <string>

namespace vellomar {

inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;  // no application for the file's type
inline constexpr int kShellOtherFailure = 0;
inline constexpr int kShellStarted = 33;

// Every result below 32 is a failure, every one above it a success.
inline constexpr bool ShellOpenFailed(int result) { return result < 32; }

// Opens an absolute native path (a folder in the file manager) with the
// application the desktop associates with its type, and returns once the
// desktop's opener has started, never waiting for it or the application.
// kShellNoAssociation when the desktop has no application for the type.
int OpenWithDesktop(const std::string& nativePath);

// Starts the program file at an absolute native path with one argument, handed
// over as it is (no shell, no splitting at blanks), and returns without waiting
// for it. False when it could not be started: missing, not executable, not a
// program the system can run.
bool StartProgramFile(const std::string& nativePath, const std::string& argument);

}  // namespace vellomar
