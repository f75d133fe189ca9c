#include "platform/OpenedFile.h"

#include <unistd.h>

#include <cerrno>

namespace vellomar {

std::optional<std::string> OpenedFile::Read(std::uint64_t offset, std::size_t length) const {
    // Checked before anything is allocated: no part beyond the file is read.
    if (handle_ < 0 || offset > size_ || length > size_ - offset) return std::nullopt;
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t count = pread(handle_, bytes.data() + done, length - done,
                                    static_cast<off_t>(offset + done));
        if (count == 0) return std::nullopt;  // cut short since it was opened
        if (count > 0) done += static_cast<std::size_t>(count);
        else if (errno != EINTR) return std::nullopt;
    }
    return bytes;
}

}  // namespace vellomar
