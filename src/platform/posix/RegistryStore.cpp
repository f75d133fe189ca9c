#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/posix/FileDescriptor.h"

namespace vellomar {
namespace {

constexpr std::string_view kIntegerTag = "dword:";
constexpr std::string_view kTextTag = "sz:";
constexpr char kKeySeparator = '\\';

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

// What follows the type tag in the stored value, or nothing when the value is
// missing or holds another type.
std::optional<std::string> Untagged(const IniDocument& document, std::string_view key,
                                    std::string_view name, std::string_view tag) {
    std::optional<std::string> stored = document.Value(key, name);
    if (!stored || !StartsWithIgnoringAsciiCase(*stored, tag)) return std::nullopt;
    return stored->substr(tag.size());
}

// The text with a section for the key and for each key above it, outermost first.
std::string WithKeyPath(std::string_view text, std::string_view key) {
    std::string result(text);
    for (std::size_t at = key.find(kKeySeparator); at != key.npos;
         at = key.find(kKeySeparator, at + 1)) {
        if (at > 0) result = ini_text::WithSection(result, key.substr(0, at));
    }
    return ini_text::WithSection(result, key);
}

// Two runs of the program that both read the file, change it and write it
// back would each lose the other's change: every rewrite holds the lock file
// beside the store while it reads and writes. The lock goes with the
// descriptor, also when the process dies.
int LockedFile(const std::string& lockPath) {
    FileDescriptor lock(open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    while (lock.Get() >= 0 && flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) lock.Reset(-1);
    return lock.Release();
}

bool TryRewrite(const IniFile& file, const std::string& lockPath,
                const std::function<std::string(std::string_view)>& change) {
    const FileDescriptor lock(LockedFile(lockPath));
    if (lock.Get() < 0) return false;
    try {
        file.Rewrite(change);
        return true;
    } catch (const IniWriteError&) {
        return false;
    }
}

bool StoreValue(const IniFile& file, const std::string& lockPath, std::string_view key,
                std::string_view name, std::string_view stored) {
    return TryRewrite(file, lockPath, [&](std::string_view text) {
        return ini_text::WithValue(WithKeyPath(text, key), key, name, stored);
    });
}

}  // namespace

RegistryStore::RegistryStore(std::string nativePath, std::string shownPath)
    : file_(nativePath, std::move(shownPath)), lockPath_(nativePath + ".lock") {}

RegistryStore RegistryStore::OfThisUser(std::string_view configHome,
                                        std::string_view appDataFolder) {
    constexpr std::string_view kFileName = "vellomar-registry.ini";
    return RegistryStore(std::string(configHome) + "/" + std::string(kFileName),
                         JoinDrivePath(appDataFolder, kFileName));
}

RegistryView RegistryStore::Read() const { return RegistryView(file_.ReadText()); }

bool RegistryView::KeyExists(std::string_view key) const { return document_.HasSection(key); }

bool RegistryStore::CreateKey(std::string_view key) const {
    return TryRewrite(file_, lockPath_, [&](std::string_view text) { return WithKeyPath(text, key); });
}

std::optional<std::int32_t> RegistryView::ReadInteger(std::string_view key,
                                                      std::string_view name) const {
    const std::optional<std::string> digits = Untagged(document_, key, name, kIntegerTag);
    if (!digits) return std::nullopt;
    std::int32_t value = 0;
    const char* end = digits->data() + digits->size();
    auto [stop, error] = std::from_chars(digits->data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<std::string> RegistryView::ReadString(std::string_view key,
                                                    std::string_view name) const {
    return Untagged(document_, key, name, kTextTag);
}

bool RegistryStore::WriteInteger(std::string_view key, std::string_view name,
                                 std::int32_t value) const {
    return StoreValue(file_, lockPath_, key, name, std::string(kIntegerTag) + std::to_string(value));
}

bool RegistryStore::WriteString(std::string_view key, std::string_view name,
                                std::string_view value) const {
    return StoreValue(file_, lockPath_, key, name, std::string(kTextTag) + std::string(value));
}

bool RegistryStore::UpdateStrings(std::string_view key,
                                  const std::function<StringValues(const RegistryView&)>& change) const {
    return TryRewrite(file_, lockPath_, [&](std::string_view text) {
        std::string changed = WithKeyPath(text, key);
        for (const auto& [name, value] : change(RegistryView(std::string(text))))
            changed = ini_text::WithValue(changed, key, name, std::string(kTextTag) + value);
        return changed;
    });
}

std::vector<std::string> RegistryView::SubkeyNames(std::string_view key) const {
    std::string prefix = std::string(key) + kKeySeparator;
    std::vector<std::string> names;
    for (const std::string& section : document_.SectionNames()) {
        if (section.size() <= prefix.size() || !StartsWithIgnoringAsciiCase(section, prefix))
            continue;
        std::string_view last = std::string_view(section).substr(prefix.size());
        bool direct = last.find(kKeySeparator) == last.npos;
        bool known = std::any_of(names.begin(), names.end(), [&](const std::string& name) {
            return EqualsIgnoringAsciiCase(name, last);
        });
        if (direct && !known) names.emplace_back(last);
    }
    return names;
}

}  // namespace vellomar
