#include "cli/OutputCheck.h"

#include <cerrno>
#include <cstring>

namespace vellomar::cli {

bool OutputDelivered(std::FILE* out, std::FILE* messages) {
    errno = 0;
    const bool flushed = std::fflush(out) == 0;
    const int error = errno;
    if (flushed && !std::ferror(out)) return true;
    // An earlier write that failed left only the stream's mark, not its reason.
    std::fprintf(messages, "vellomar-cli: the output could not be written%s%s\n",
                 !flushed && error ? ": " : "", !flushed && error ? std::strerror(error) : "");
    std::clearerr(out);  // told once
    return false;
}

}  // namespace vellomar::cli
