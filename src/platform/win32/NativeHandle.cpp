#include "platform/NativeHandle.h"

#include "platform/win32/SystemApi.h"

namespace vellomar {

void CloseNativeHandle(NativeHandle handle) {
    if (handle != kNoHandle) CloseHandle(handle);
}

}  // namespace vellomar
