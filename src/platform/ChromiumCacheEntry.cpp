#include "platform/ChromiumCacheEntry.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ByteOrder.h"
#include "platform/OpenedFile.h"

namespace vellomar {
namespace {

// Every entry file starts with: magic, version, key length, key hash, padding.
constexpr std::uint64_t kHeaderMagic = 0xfcfb6d1ba7725c30;
constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kKeyLengthAt = 12;
// A "_0" file ends with stream 0 (the stored response), the key's SHA-256
// when a flag says so, and a record of magic, flags, checksum, stream size
// and padding.
constexpr std::uint64_t kEndMagic = 0xf4fa6f45970d41d8;
constexpr std::size_t kEndRecordSize = 24;
constexpr std::size_t kFlagsAt = 8;
constexpr std::size_t kStreamSizeAt = 16;
constexpr std::uint32_t kHasKeySha256 = 2;
constexpr std::size_t kKeySha256Size = 32;

// Longer keys are left unread: no URL worth naming a copy by is that long.
constexpr std::uint32_t kMaxKeyLength = 64 * 1024;
// The response's headers come first in stream 0, after a few fixed fields;
// certificates and the like follow them and need not be read.
constexpr std::size_t kResponseReadLimit = 64 * 1024;

std::optional<std::string> KeyOf(const OpenedFile& file) {
    const auto header = file.Read(0, kHeaderSize);
    if (!header || LittleEndianAt<std::uint64_t>(*header, 0) != kHeaderMagic) return std::nullopt;
    const auto keyLength = LittleEndianAt<std::uint32_t>(*header, kKeyLengthAt);
    if (!keyLength || *keyLength > kMaxKeyLength) return std::nullopt;
    return file.Read(kHeaderSize, *keyLength);
}

// The start of stream 0: the stored response, its raw headers ended by NULs.
std::optional<std::string> StoredResponseOf(const OpenedFile& file) {
    const std::uint64_t size = file.Size();
    if (size < kEndRecordSize) return std::nullopt;
    const auto record = file.Read(size - kEndRecordSize, kEndRecordSize);
    if (!record || LittleEndianAt<std::uint64_t>(*record, 0) != kEndMagic) return std::nullopt;
    const auto flags = LittleEndianAt<std::uint32_t>(*record, kFlagsAt);
    const auto streamSize = LittleEndianAt<std::uint32_t>(*record, kStreamSizeAt);
    const std::uint64_t trailer = kEndRecordSize + (*flags & kHasKeySha256 ? kKeySha256Size : 0);
    if (size < trailer + *streamSize) return std::nullopt;
    return file.Read(size - trailer - *streamSize,
                     std::min<std::size_t>(*streamSize, kResponseReadLimit));
}

}  // namespace

FetchedAs ReadChromiumCacheFile(const Folder& folder, const char* name) {
    const std::string_view fileName = name;
    const bool body = fileName.ends_with("_0");
    if (!body && !fileName.ends_with("_s")) return {};
    const OpenedFile file = folder.OpenFile(name);
    const auto key = KeyOf(file);
    if (!key) return {};
    FetchedAs fetched{LastSegmentOfUrl(std::string_view(*key).substr(key->rfind(' ') + 1)), {}};
    // Ranges ("_s") keep no response: their entry's "_0" file does.
    if (body) {
        if (const auto response = StoredResponseOf(file))
            fetched.mediaType = MediaTypeInHeaders(*response);
    }
    return fetched;
}

}  // namespace vellomar
