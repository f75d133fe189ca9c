#include "platform/NativeHandle.h"

#include <unistd.h>

namespace vellomar {

void CloseNativeHandle(NativeHandle handle) {
    if (handle != kNoHandle) close(handle);
}

}  // namespace vellomar
