#include "scan/Categories.h"

#include <algorithm>
#include <initializer_list>

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

using KeyList = std::initializer_list<std::string_view>;

bool KeyIn(std::string_view key, KeyList keys) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

bool IsGarbageKey(std::string_view key) {
    // The second character is the first one after the dot: ".~dp", ".~1", ".~".
    return KeyIn(key, {".TMP", ".BAK", ".CHK", ".---", ".OLD", ".GID"}) ||
           (key.size() >= 2 && key[1] == '~');
}

bool IsPictureKey(std::string_view key) {
    return KeyIn(key, {".BMP", ".GIF", ".JPG", ".ICO", ".PCX", ".WMF", ".PNG", ".JPE", ".ART", ".TIF"});
}

// The program's own settings file, in exactly this letter case.
constexpr std::string_view kSettingsFileName = "Binsettings.ini";

}  // namespace

std::string ExtensionKey(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string_view extension = name.substr(dot);
    if (extension.find_first_of("\\:") != std::string_view::npos) return {};  // a folder's dot
    return ToAsciiUpper(extension.substr(0, 4));
}

bool IsGarbageFile(std::string_view name) { return IsGarbageKey(ExtensionKey(name)); }

bool IsPictureFile(std::string_view path) { return IsPictureKey(ExtensionKey(path)); }

bool IsFetchedPicture(std::string_view name, std::string_view mediaType) {
    if (mediaType.empty() || KeyIn(mediaType, {"application/octet-stream", "binary/octet-stream"}))
        return IsPictureFile(name);
    return mediaType.starts_with("image/");
}

bool NameFitsCategory(Category category, std::string_view key, std::string_view name) {
    switch (category) {
        case Category::Garbage: return IsGarbageKey(key);
        case Category::Pictures: return IsPictureKey(key);
        case Category::Screensavers: return key == ".SCR";
        case Category::Webpages:
            return KeyIn(key, {".HTM", ".XML", ".JSP", ".ASP", ".JS", ".SWF", ".CSS", ".PHP"});
        case Category::Documents:
            return KeyIn(key, {".TXT", ".DOC", ".WPS", ".WRI", ".RTF", ".PDF"});
        case Category::Zips: return key == ".ZIP";
        case Category::Videos:
            return KeyIn(key, {".AVI", ".MPG", ".MOV", ".WMV", ".MPE", ".ASF"});
        case Category::Sounds: return KeyIn(key, {".WAV", ".MID", ".MP3", ".WMA", ".AAC"});
        case Category::IniDat:
            return (key == ".INI" || key == ".DAT") && name != kSettingsFileName;
        case Category::ZeroByte: return false;
        case Category::Logs: return key == ".LOG";
        case Category::Tax:
            return KeyIn(key, {".TA5", ".TAX", ".BK5", ".TA6", ".TA7", ".TA8", ".BK6", ".BK7",
                               ".BK8", ".T01", ".T02", ".T03", ".T04", ".T05", ".T06", ".T07",
                               ".T08", ".T09"});
        case Category::Bookmarks:
            return key == ".URL" || EqualsIgnoringAsciiCase(name, "BOOKMARKS.HTML");
    }
    return false;
}

bool ScanState::*CategoryFlag(Category category) {
    switch (category) {
        case Category::Garbage: return &ScanState::FindGarbage;
        case Category::Pictures: return &ScanState::FindPictures;
        case Category::Screensavers: return &ScanState::FindScreensavers;
        case Category::Webpages: return &ScanState::FindWebpages;
        case Category::Documents: return &ScanState::FindDocuments;
        case Category::Zips: return &ScanState::FindZips;
        case Category::Videos: return &ScanState::FindVideos;
        case Category::Sounds: return &ScanState::FindSounds;
        case Category::IniDat: return &ScanState::FindIniDat;
        case Category::ZeroByte: return &ScanState::FindZeroByte;
        case Category::Logs: return &ScanState::FindLogs;
        case Category::Tax: return &ScanState::FindTax;
        case Category::Bookmarks: return &ScanState::FindBookmarks;
    }
    return nullptr;
}

ActiveCategories ActiveCategories::Of(const ScanState& scan) {
    ActiveCategories active;
    for (std::size_t row = 0; row < kWalkCategoryCount; ++row) {
        const auto category = static_cast<Category>(row);
        if (!(scan.*CategoryFlag(category))) continue;
        active.order[active.count++] = category;
        if (category == Category::ZeroByte) active.zeroByte = true;
    }
    return active;
}

}  // namespace vellomar
