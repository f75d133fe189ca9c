#pragma once
// The system's own handle of an open file or folder, as the platform's
// classes hold it: only the platform's own sources look inside one.

namespace vellomar {

#ifdef _WIN32
using NativeHandle = void*;  // a HANDLE
inline constexpr NativeHandle kNoHandle = nullptr;
#else
using NativeHandle = int;  // a file descriptor
inline constexpr NativeHandle kNoHandle = -1;
#endif

// Closes a handle the platform's classes own; does nothing with kNoHandle.
void CloseNativeHandle(NativeHandle handle);

}  // namespace vellomar
