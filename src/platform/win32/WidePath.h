#pragma once
// Texts cross into the system as UTF-16 and come back as UTF-8. A name may
// hold a unit that is half of no surrogate pair, which NTFS keeps: it comes
// back as the three bytes UTF-8's rule gives its value (ED A0..BF xx, as
// WTF-8 writes it) and crosses in again as that very unit, so a name listed
// names its entry and no other. Native paths inside the program are written
// with '/' ("C:/Users/ann/x.tmp", a drive's root as "C:"), as the drive table
// joins them; only here do they become the system's own form, and always its
// "\\?\" form, so that no path is cut at MAX_PATH and no name is altered
// (trailing dots and blanks are kept).

#include "platform/win32/SystemApi.h"

#include <string>
#include <string_view>

namespace vellomar {

std::wstring Widened(std::string_view text);
std::string Narrowed(std::wstring_view text);

// "\\?\C:\Users\ann" for "C:/Users/ann"; a UNC path ("//server/share/x")
// becomes "\\?\UNC\server\share\x".
std::wstring SystemPath(std::string_view nativePath);
// The native form of a path the system gives: UTF-8, '/' between names and no
// "\\?\" before it.
std::string NativePathOf(std::wstring_view systemPath);

// A handle closed when it goes.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~OwnedHandle() {
        if (*this) CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    // Hands the handle over to its new owner.
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE handle_;
};

}  // namespace vellomar
