#pragma once
// "All Internet Files", "Internet Pics Only" and "Fetch ALL": the browsers'
// cached copies, from the URL cache and the cache-folder list, put in the
// result list without walking a drive; "Fetch ALL" then walks the chosen
// drive for garbage and zero-byte files as well.

#include <string_view>

#include "scan/SearchContext.h"

namespace vellomar {

// Lists the URL cache's copies whose files exist: with InternetPicsOnly the
// pictures only, else every copy, counting the pictures among them too.
// The URL cache is the platform's BrowserCache().
void ListUrlCache(Session& session);

enum class CacheFolderPass {
    Pictures,  // the pictures of every cache folder
    // Every entry, subfolders included; but the pictures the Pictures pass has
    // just listed are only counted, not listed again: each file stands in the
    // result list once.
    EveryEntryAfterPictures,
};
// Each cache folder's entries, without entering subfolders; texts that differ
// only in a trailing '\' or in letter case are listed as one folder.
void ListCacheFolders(Session& session, CacheFolderPass pass);

enum class InternetCommand { AllInternetFiles, InternetPicsOnly, FetchAll };

struct InternetCommandTexts {
    std::string_view infoKey;
    std::string_view infoText;
    std::string_view infoAdvice;
};
const InternetCommandTexts& TextsOf(InternetCommand command);

// The command in its order: information window, reset, the caches (and the
// walk of the chosen drive for "Fetch ALL"), the finish with its summary and
// cleanup offer, the count and byte labels, the list's width.
void RunInternetCommand(SearchContext& context, InternetCommand command, char driveLetter);

}  // namespace vellomar
