#include "platform/posix/OwnLinks.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace vellomar {
namespace {

#ifdef O_PATH
constexpr int kPassingFolder = O_PATH | O_DIRECTORY | O_CLOEXEC;  // no right to list it needed
#else
constexpr int kPassingFolder = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// As many links in a row as the system follows before it gives up.
constexpr int kMaxLinkHops = 40;

class LinkRuleCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "link rule"; }
    std::string message(int) const override {
        return "a name on its path is a symbolic link that another user owns";
    }
};

std::error_code Error(int value) { return {value, std::generic_category()}; }

// Appends the names of a path in reverse order, so that the next one is last;
// empty names and "." name nothing.
void PushNames(std::string_view path, std::vector<std::string>& pending) {
    std::vector<std::string> names;
    while (!path.empty()) {
        const std::size_t end = path.find('/');
        const std::string_view name = path.substr(0, end);
        if (!name.empty() && name != ".") names.emplace_back(name);
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    pending.insert(pending.end(), names.rbegin(), names.rend());
}

// An entry as it is now, never followed, with a handle to it where it is a
// folder (or, where the system opens links, a link).
struct Met {
    FileDescriptor handle{-1};
    struct stat info {};
};

bool Meet(int folder, const std::string& name, Met& met) {
#ifdef O_PATH
    met.handle.Reset(openat(folder, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    return met.handle.Get() >= 0 && fstat(met.handle.Get(), &met.info) == 0;
#else
    if (fstatat(folder, name.c_str(), &met.info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    if (!S_ISDIR(met.info.st_mode)) return true;
    met.handle.Reset(openat(folder, name.c_str(), kPassingFolder | O_NOFOLLOW));
    return met.handle.Get() >= 0 && fstat(met.handle.Get(), &met.info) == 0;
#endif
}

// The text of the link met, read through the handle it was checked with
// where the system has one.
std::optional<std::string> LinkText(int folder, const std::string& name, const Met& link) {
    char text[PATH_MAX];
#ifdef O_PATH
    (void)folder;
    (void)name;
    const ssize_t size = readlinkat(link.handle.Get(), "", text, sizeof text);
#else
    (void)link;
    const ssize_t size = readlinkat(folder, name.c_str(), text, sizeof text);
#endif
    if (size < 0) return std::nullopt;
    if (size == 0 || static_cast<std::size_t>(size) == sizeof text) {
        errno = size == 0 ? ENOENT : ENAMETOOLONG;
        return std::nullopt;
    }
    return std::string(text, static_cast<std::size_t>(size));
}

}  // namespace

bool MayFollow(const struct stat& link) { return link.st_uid == geteuid() || link.st_uid == 0; }

std::error_code ForeignLinkError() {
    static const LinkRuleCategory category;
    return {1, category};
}

std::error_code FindOwnPlace(int from, std::string_view path, PathEnd end, OwnPlace& place,
                             const FolderMaking& making) {
    const bool absolute = path.starts_with('/');
    FileDescriptor at(openat(absolute ? AT_FDCWD : from, absolute ? "/" : ".", kPassingFolder));
    if (at.Get() < 0) return Error(errno);
    std::vector<std::string> pending;
    PushNames(path, pending);
    // Links followed and folders made: both bounded, so that neither a loop of
    // links nor a racing process removing what is made keeps this going.
    int steps = 0;
    while (!pending.empty()) {
        const std::string name = std::move(pending.back());
        pending.pop_back();
        const bool lastOfEntry = pending.empty() && end == PathEnd::Entry;
        if (name == "..") {
            if (lastOfEntry) return Error(EISDIR);
            at.Reset(openat(at.Get(), "..", kPassingFolder));
            if (at.Get() < 0) return Error(errno);
            continue;
        }
        Met met;
        if (!Meet(at.Get(), name, met)) {
            if (errno != ENOENT) return Error(errno);
            if (lastOfEntry) {
                pending.push_back(name);  // a file yet to be written
                break;
            }
            if (!making.make || ++steps > kMaxLinkHops) return Error(ENOENT);
            if (mkdirat(at.Get(), name.c_str(), static_cast<mode_t>(making.mode)) != 0 &&
                errno != EEXIST)
                return Error(errno);
            pending.push_back(name);  // met again, now made
            continue;
        }
        if (S_ISLNK(met.info.st_mode)) {
            if (!MayFollow(met.info)) return ForeignLinkError();
            if (++steps > kMaxLinkHops) return Error(ELOOP);
            const std::optional<std::string> text = LinkText(at.Get(), name, met);
            if (!text) return Error(errno);
            if (text->starts_with('/')) {
                at.Reset(open("/", kPassingFolder));
                if (at.Get() < 0) return Error(errno);
            }
            PushNames(*text, pending);
            continue;
        }
        if (S_ISDIR(met.info.st_mode)) {
            if (lastOfEntry) return Error(EISDIR);
            at.Reset(met.handle.Release());
            continue;
        }
        if (!lastOfEntry) return Error(ENOTDIR);
        pending.push_back(name);
        break;
    }
    if (end == PathEnd::Entry && pending.empty()) return Error(EISDIR);
    place.name = pending.empty() ? std::string() : std::move(pending.back());
    place.folder.Reset(at.Release());
    return {};
}

}  // namespace vellomar
