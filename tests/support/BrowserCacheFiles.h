#pragma once
// Cache entry files laid out as the browsers write them, for the tests that
// need copies with made-up URLs and types. The layouts are those of the files
// Chromium 156 and Firefox 153 wrote in tests/fixtures/browser-caches.

#include <cstdint>
#include <string>
#include <string_view>

namespace vellomar::test {

namespace cache_bytes {

template <typename Unsigned>
void AppendLittleEndian(std::string& bytes, Unsigned value) {
    for (std::size_t index = 0; index < sizeof(Unsigned); ++index)
        bytes += static_cast<char>(value >> (8 * index) & 0xff);
}

inline void AppendBigEndian(std::string& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(value >> shift & 0xff);
}

}  // namespace cache_bytes

// A Chromium "_0" file: header, key, body, end record of stream 1, the
// stored response (its headers NUL-separated, as a pickle), the key's
// SHA-256 (zeros here: nothing reads it) and the end record of stream 0.
inline std::string ChromiumEntryFile(std::string_view key, std::string_view contentType,
                                     std::string_view body) {
    using cache_bytes::AppendLittleEndian;
    std::string file;
    AppendLittleEndian<std::uint64_t>(file, 0xfcfb6d1ba7725c30);
    AppendLittleEndian<std::uint32_t>(file, 5);  // version
    AppendLittleEndian<std::uint32_t>(file, static_cast<std::uint32_t>(key.size()));
    AppendLittleEndian<std::uint32_t>(file, 0x1234);  // key hash
    AppendLittleEndian<std::uint32_t>(file, 0);       // padding
    file.append(key).append(body);
    const auto appendEndRecord = [&](std::uint32_t flags, std::uint32_t streamSize) {
        AppendLittleEndian<std::uint64_t>(file, 0xf4fa6f45970d41d8);
        AppendLittleEndian<std::uint32_t>(file, flags);
        AppendLittleEndian<std::uint32_t>(file, 0);  // checksum
        AppendLittleEndian<std::uint32_t>(file, streamSize);
        AppendLittleEndian<std::uint32_t>(file, 0);  // padding
    };
    appendEndRecord(1, 0);
    std::string headers = "HTTP/1.1 200 OK";
    headers += '\0';
    if (!contentType.empty()) headers.append("Content-Type: ").append(contentType) += '\0';
    headers.append("Cache-Control: max-age=3600") += '\0';
    headers += '\0';
    while (headers.size() % 4 != 0) headers += '\0';
    std::string payload;
    AppendLittleEndian<std::uint32_t>(payload, 0x80040003);            // flags
    AppendLittleEndian<std::uint64_t>(payload, 13'400'000'000'000'000);  // request time
    AppendLittleEndian<std::uint64_t>(payload, 13'400'000'000'000'100);  // response time
    AppendLittleEndian<std::uint32_t>(payload, static_cast<std::uint32_t>(headers.size()));
    payload += headers;
    std::string response;
    AppendLittleEndian<std::uint32_t>(response, static_cast<std::uint32_t>(payload.size()));
    response += payload;
    file += response;
    file.append(32, '\0');  // the key's SHA-256
    appendEndRecord(3, static_cast<std::uint32_t>(response.size()));
    return file;
}

// A Chromium "_0" file of exactly size bytes, its body padded to fit.
inline std::string ChromiumEntryFileOfSize(std::string_view key, std::string_view contentType,
                                           std::size_t size) {
    const std::size_t bare = ChromiumEntryFile(key, contentType, "").size();
    return ChromiumEntryFile(key, contentType, std::string(size > bare ? size - bare : 0, 'b'));
}

// The trailer a Firefox entry ends with: Firefox 153 writes its version, 4,
// before the offset; earlier versions the offset alone.
enum class FirefoxTrailer { VersionAndOffset, OffsetOnly };

// A Firefox cache2 entry: body, then checksum, one hash per 256 KiB of body,
// header, key and NUL, elements, trailer.
inline std::string FirefoxEntryFile(std::string_view key, std::string_view contentType,
                                    std::string_view body,
                                    FirefoxTrailer trailer = FirefoxTrailer::VersionAndOffset) {
    using cache_bytes::AppendBigEndian;
    const std::uint32_t version = trailer == FirefoxTrailer::VersionAndOffset ? 4 : 3;
    std::string file(body);
    AppendBigEndian(file, 0xC0FFEE);  // checksum, which nothing here reads
    for (std::size_t chunk = 0; chunk < (body.size() + 256 * 1024 - 1) / (256 * 1024); ++chunk)
        file.append("\x12\x34", 2);
    for (std::uint32_t field : {version, 1u, 1'765'000'000u, 1'765'000'000u, 4'000u,
                                1'765'086'400u, static_cast<std::uint32_t>(key.size()), 0u})
        AppendBigEndian(file, field);
    file.append(key) += '\0';
    const auto appendElement = [&](std::string_view name, std::string_view value) {
        file.append(name) += '\0';
        file.append(value) += '\0';
    };
    appendElement("request-method", "GET");
    std::string head = "HTTP/1.1 200 OK\r\n";
    if (!contentType.empty()) head.append("Content-Type: ").append(contentType).append("\r\n");
    appendElement("response-head", head + "Cache-Control: max-age=3600\r\n");
    appendElement("net-response-time-onstop", "23");
    if (trailer == FirefoxTrailer::VersionAndOffset) AppendBigEndian(file, version);
    AppendBigEndian(file, static_cast<std::uint32_t>(body.size()));
    return file;
}

}  // namespace vellomar::test
