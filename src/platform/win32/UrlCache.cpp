#include "platform/UrlCache.h"

#include "platform/win32/SystemApi.h"
#include <wininet.h>

#include <memory>

#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

// The entry at hand, the buffer sized by a first call that asks for its size.
class CacheEntry {
public:
    // First, or next after the one held.
    bool Find(HANDLE& search) {
        DWORD size = capacity_;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const bool found = search ? FindNextUrlCacheEntryA(search, Entry(), &size)
                                      : (search = FindFirstUrlCacheEntryA(nullptr, Entry(), &size)) != nullptr;
            if (found) return true;
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
            buffer_ = std::make_unique<unsigned char[]>(size);
            capacity_ = size;
        }
        return false;
    }
    const INTERNET_CACHE_ENTRY_INFOA& Get() const { return *Entry(); }

private:
    INTERNET_CACHE_ENTRY_INFOA* Entry() const {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.get());
    }
    std::unique_ptr<unsigned char[]> buffer_;
    DWORD capacity_ = 0;
};

// A text of the system's ANSI code page in UTF-8.
std::string FromAnsi(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring wide(static_cast<std::size_t>(size - 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
    return Narrowed(wide);
}

}  // namespace

UrlCache::UrlCache(const DriveTable& drives, std::string cacheHome)
    : drives_(drives), cacheHome_(std::move(cacheHome)) {}

std::string UrlCache::CacheHomeOfThisUser() { return {}; }  // the system keeps the cache

void UrlCache::ForEachEntry(const std::function<void(const CachedCopy& copy)>& visit) const {
    HANDLE search = nullptr;
    CacheEntry entry;
    while (entry.Find(search)) {
        const INTERNET_CACHE_ENTRY_INFOA& info = entry.Get();
        // Cookies and history entries keep no copy of their own.
        if (!info.lpszLocalFileName || !*info.lpszLocalFileName) continue;
        const auto localFile = drives_.ToDriveForm(NativePathOf(Widened(FromAnsi(info.lpszLocalFileName))));
        if (!localFile) continue;
        FetchedAs fetched;
        if (info.lpszSourceUrlName) fetched.name = LastSegmentOfUrl(info.lpszSourceUrlName);
        if (info.lpHeaderInfo)
            fetched.mediaType = MediaTypeInHeaders({reinterpret_cast<const char*>(info.lpHeaderInfo),
                                                    info.dwHeaderInfoSize});
        visit(CachedCopy{*localFile, std::move(fetched)});
    }
    if (search) FindCloseUrlCache(search);
}

}  // namespace vellomar
