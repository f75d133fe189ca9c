#pragma once
// How a settings file's bytes hold its text. The program works on UTF-8; a
// file saved by an editor as "Unicode" (UTF-16 little-endian after the byte
// order mark FF FE), as "Unicode big endian" (after FE FF) or as UTF-8 with a
// mark (EF BB BF) is read as the system's own profile functions read it, and
// written back in the encoding it had.

#include <optional>
#include <string>
#include <string_view>

namespace vellomar {

enum class IniEncoding { Plain, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

struct DecodedIni {
    std::string text;  // UTF-8 for a UTF-16 file; a plain file's bytes as they are
    IniEncoding encoding = IniEncoding::Plain;
};

// The text of a file's bytes, without its byte order mark. A unit of UTF-16
// that is half of no pair reads as its three bytes of WTF-8, as a Windows
// file name holding one does; a last odd byte reads as U+FFFD.
DecodedIni DecodeIni(std::string_view bytes);

// The bytes holding text in an encoding, its mark first. Nothing when the
// encoding is UTF-16 and the text is not UTF-8 (or WTF-8's lone halves of
// pairs) throughout: such bytes would not read back as written.
std::optional<std::string> EncodeIni(std::string_view text, IniEncoding encoding);

}  // namespace vellomar
