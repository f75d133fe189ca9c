#pragma once
// What a browser's cache entry tells of the copy it holds: the name it was
// fetched as and the type it was served as. Cached copies are named by
// hashes, so these are all that tells a picture among them.

#include <string>
#include <string_view>

namespace vellomar {

struct FetchedAs {
    // The last segment of the URL's path, percent-decoded; empty when the
    // entry names no URL, or the URL ends in '/'.
    std::string name;
    // The Content-Type it was served with, without parameters, in lower
    // case; empty when none was stored.
    std::string mediaType;
};

// The last segment of a URL's path, its query and fragment left out; empty
// for a text that is no "scheme://" URL. A
// percent-escape is decoded unless it stands for '/', '\' or NUL, which no
// name can hold.
std::string LastSegmentOfUrl(std::string_view url);

// The media type of the first Content-Type header (any letter case) among
// header lines ended by CR, LF or NUL, as FetchedAs holds it; empty without one.
std::string MediaTypeInHeaders(std::string_view headers);

}  // namespace vellomar
