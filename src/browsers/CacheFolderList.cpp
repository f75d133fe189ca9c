#include "browsers/CacheFolderList.h"

#include <vector>

#include "browsers/ScanLog.h"
#include "platform/AsciiCase.h"
#include "platform/IniText.h"
#include "platform/TextFile.h"

namespace vellomar {
namespace {

constexpr std::string_view kNetscapeCacheKey = "Software\\Netscape\\Netscape Navigator\\Cache";
constexpr std::string_view kNetscapeCacheValue = "Cache Dir";
constexpr std::string_view kNetscapeUsersKey = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr std::string_view kProfileRootValue = "DirRoot";
constexpr std::size_t kMaxProfiles = 256;

constexpr std::string_view kCacheDirectoryPref = "user_pref(\"browser.cache.directory\"";
// The value starts after the key, a comma, a blank and a quote: at position 39, counted from 1.
constexpr std::size_t kValueStart = 38;
constexpr std::string_view kNoFolder = " ";

bool IsBlank(std::string_view text) { return ini_text::TrimBlanks(text).empty(); }

bool SameFolder(std::string_view a, std::string_view b) {
    return EqualsIgnoringAsciiCase(a, b);
}

// The value of a matching line: up to two characters before its first ')'.
std::optional<std::string> CacheDirOfLine(std::string_view line) {
    if (line.size() < kCacheDirectoryPref.size() ||
        !EqualsIgnoringAsciiCase(line.substr(0, kCacheDirectoryPref.size()), kCacheDirectoryPref))
        return std::nullopt;
    const std::size_t close = line.find(')');
    // A line without ')' names no folder (it would make a bare "\").
    if (close == std::string_view::npos || close < kValueStart + 2) return std::string(kNoFolder);
    std::string folder(line.substr(kValueStart, close - 1 - kValueStart));
    folder += '\\';
    for (std::size_t pair; (pair = folder.find("\\\\")) != std::string::npos;) folder.erase(pair, 1);
    return folder;
}

struct ProfileRow {
    std::string rootFolder;
};

std::vector<ProfileRow> NetscapeProfiles(const RegistryView& registry) {
    std::vector<ProfileRow> rows;
    if (!registry.KeyExists(kNetscapeUsersKey)) return rows;
    for (const std::string& name : registry.SubkeyNames(kNetscapeUsersKey)) {
        if (rows.size() == kMaxProfiles) break;
        rows.push_back({name});
    }
    for (ProfileRow& row : rows) {
        const std::string key = std::string(kNetscapeUsersKey) + "\\" + row.rootFolder;
        if (registry.KeyExists(key))
            row.rootFolder = registry.ReadString(key, kProfileRootValue).value_or("");
    }
    return rows;
}

}  // namespace

std::string ReadPrefsCacheDir(const FileSystem& files, std::string_view prefsPath) {
    if (!files.FileExists(prefsPath, NameMatch::AnyCase)) return std::string(kNoFolder);
    const std::optional<std::string> nativePath = files.NativePath(prefsPath, NameMatch::AnyCase);
    const std::optional<TextFileState> file = nativePath ? ReadTextFile(*nativePath) : std::nullopt;
    if (!file) return std::string(kNoFolder);
    std::string_view rest = file->text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (std::optional<std::string> folder = CacheDirOfLine(line)) return *folder;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return std::string(kNoFolder);
}

void BuildCacheFolderList(CacheFolderList& list, const RegistryStore& registry,
                          const FileSystem& files, const ScanLogEntries& scanLog) {
    // One reading of the store for its up to 514 reads.
    const RegistryView stored = registry.Read();
    std::string netscapeCache =
        stored.ReadString(kNetscapeCacheKey, kNetscapeCacheValue).value_or("");
    const std::vector<ProfileRow> profiles = NetscapeProfiles(stored);

    list.Clear();
    if (!IsBlank(netscapeCache)) {
        if (netscapeCache.back() != '\\') netscapeCache += '\\';
        list.Add(netscapeCache);
    }
    for (const ProfileRow& row : profiles) {
        // Without a root folder, "\prefs.js" and "\cache" would name folders
        // relative to whatever drive is current, not the profile's.
        if (IsBlank(row.rootFolder)) continue;
        const std::string prefsCache = ReadPrefsCacheDir(files, row.rootFolder + "\\prefs.js");
        if (!SameFolder(prefsCache, netscapeCache) && !IsBlank(prefsCache)) list.Add(prefsCache);
        const std::string rootCache = row.rootFolder + "\\cache";
        if (!SameFolder(rootCache, netscapeCache) && !SameFolder(rootCache, prefsCache))
            list.Add(rootCache);
    }
    for (const std::string& folder : scanLog.cacheFolders) list.Add(folder);
    for (const std::string& prefs : scanLog.profileFiles)
        if (!IsBlank(prefs)) list.Add(ReadPrefsCacheDir(files, prefs));
}

}  // namespace vellomar
