#pragma once
// Opening a file with the application the desktop associates with its type,
// and a folder in the desktop's file manager.
// Results are numbered as the desktop platform numbers them, so callers can
// tell a missing file and a missing application apart from other failures.

#include <chrono>
#include <string>

namespace vellomar {

inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;  // no application for the file's type
inline constexpr int kShellOtherFailure = 0;
inline constexpr int kShellStarted = 33;

// Every result below 32 is a failure, every one above it a success.
inline constexpr bool ShellOpenFailed(int result) { return result < 32; }

// How long opening a file may hold up the window thread: the desktop's opener
// normally returns as soon as the viewer runs; one still busy after this long
// is taken to have started it.
inline constexpr std::chrono::milliseconds kShellOpenPatience{3000};

// Hands an absolute native path, as one argument, to the desktop's opener,
// which opens a folder in the file manager.
int OpenWithDesktop(const std::string& nativePath,
                    std::chrono::milliseconds patience = kShellOpenPatience);

}  // namespace vellomar
