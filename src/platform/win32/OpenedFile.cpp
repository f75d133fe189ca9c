#include "platform/OpenedFile.h"

#include "platform/win32/SystemApi.h"

namespace vellomar {

std::optional<std::string> OpenedFile::Read(std::uint64_t offset, std::size_t length) const {
    // Checked before anything is allocated: no part beyond the file is read.
    if (handle_ == kNoHandle || offset > size_ || length > size_ - offset) return std::nullopt;
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        DWORD count = 0;
        if (!ReadFile(handle_, bytes.data() + done, wanted, &count, &at) || count == 0)
            return std::nullopt;  // cut short since it was opened, or unreadable
        done += count;
    }
    return bytes;
}

}  // namespace vellomar
