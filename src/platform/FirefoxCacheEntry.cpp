#include "platform/FirefoxCacheEntry.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ByteOrder.h"
#include "platform/OpenedFile.h"

namespace vellomar {
namespace {

constexpr std::uint32_t kChunkSize = 256 * 1024;
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kChunkHashSize = 2;
// The newer trailer: [version 4][offset, its high bit set when encrypted].
constexpr std::uint32_t kTrailerVersion = 4;
constexpr std::uint32_t kEncrypted = 0x80000000;
// Header: version, fetch count, last fetched, last modified, frecency,
// expiration, key size, and from version 2 on, flags.
constexpr std::size_t kKeySizeAt = 24;
constexpr std::size_t kFirstVersionHeaderSize = 28;
constexpr std::size_t kHeaderSize = 32;
constexpr std::uint32_t kNewestVersion = 4;
// Firefox keeps the elements within 64 KiB; the key is a URL.
constexpr std::uint64_t kMaxMetadataRead = 256 * 1024;

struct MetadataPlace {
    std::uint64_t start;  // where the header starts
    std::uint64_t end;    // where the trailer starts
};

std::optional<MetadataPlace> PlaceOfMetadata(const OpenedFile& file) {
    const std::uint64_t size = file.Size();
    if (size < 2 * sizeof(std::uint32_t)) return std::nullopt;
    const auto words = file.Read(size - 2 * sizeof(std::uint32_t), 2 * sizeof(std::uint32_t));
    if (!words) return std::nullopt;
    // An older trailer has the offset alone; the word before it then ends the
    // elements, whose last byte is a NUL, so it never reads as a version.
    const bool versioned = BigEndianAt<std::uint32_t>(*words, 0) == kTrailerVersion;
    const std::uint32_t offset = *BigEndianAt<std::uint32_t>(*words, sizeof(std::uint32_t));
    if (versioned && (offset & kEncrypted)) return std::nullopt;
    const std::uint64_t chunks = (std::uint64_t{offset} + kChunkSize - 1) / kChunkSize;
    return MetadataPlace{offset + kChecksumSize + chunks * kChunkHashSize,
                         size - (versioned ? 2 : 1) * sizeof(std::uint32_t)};
}

// The URL after the tags, each a character, maybe a value in which ",," is
// a ',', and a ','.
std::optional<std::string_view> UrlOfKey(std::string_view key) {
    std::size_t at = 0;
    while (at < key.size()) {
        if (key[at] == ':') return key.substr(at + 1);
        for (++at; at < key.size() && key[at] != ','; ++at) {}
        while (key.substr(at, 2) == ",,") {
            for (at += 2; at < key.size() && key[at] != ','; ++at) {}
        }
        ++at;  // past the tag's ','
    }
    return std::nullopt;
}

std::string_view ElementValue(std::string_view elements, std::string_view wanted) {
    while (!elements.empty()) {
        const std::size_t nameEnd = elements.find('\0');
        if (nameEnd == std::string_view::npos) break;
        const std::string_view name = elements.substr(0, nameEnd);
        elements.remove_prefix(nameEnd + 1);
        const std::string_view value = elements.substr(0, elements.find('\0'));
        if (name == wanted) return value;
        elements.remove_prefix(std::min(elements.size(), value.size() + 1));
    }
    return {};
}

}  // namespace

FetchedAs ReadFirefoxCacheFile(const Folder& folder, const char* name) {
    const OpenedFile file = folder.OpenFile(name);
    const auto place = PlaceOfMetadata(file);
    if (!place || place->start > place->end || place->end - place->start > kMaxMetadataRead)
        return {};
    const auto metadata = file.Read(place->start, place->end - place->start);
    const auto version = metadata ? BigEndianAt<std::uint32_t>(*metadata, 0) : std::nullopt;
    const auto keySize =
        metadata ? BigEndianAt<std::uint32_t>(*metadata, kKeySizeAt) : std::nullopt;
    if (!keySize || *version == 0 || *version > kNewestVersion) return {};
    const std::size_t keyAt = *version == 1 ? kFirstVersionHeaderSize : kHeaderSize;
    // The key ends with a NUL, the elements follow.
    if (metadata->size() <= keyAt || *keySize >= metadata->size() - keyAt ||
        (*metadata)[keyAt + *keySize] != '\0')
        return {};
    const std::string_view key = std::string_view(*metadata).substr(keyAt, *keySize);
    const std::string_view elements = std::string_view(*metadata).substr(keyAt + *keySize + 1);
    const auto url = UrlOfKey(key);
    return FetchedAs{url ? LastSegmentOfUrl(*url) : std::string(),
                     MediaTypeInHeaders(ElementValue(elements, "response-head"))};
}

}  // namespace vellomar
