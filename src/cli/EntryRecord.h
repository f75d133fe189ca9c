#pragma once
// An entry as a record for other tools, one a line:
//
// tsv:  PATH <tab> SIZE <tab> MODIFIED <tab> NATIVE
//   Each field with '\' written "\\", tab "\t", line feed "\n" and carriage
//   return "\r"; every other byte as it is. SIZE and MODIFIED are empty when
//   the file is gone, NATIVE when the path names no drive.
//
// json: {"path":..., "native":..., "size":..., "modified":...}
//   A JSON text is Unicode, a file name any bytes: the strings are the names'
//   UTF-8 with each byte that is not part of well-formed UTF-8 read as U+FFFD,
//   and then "native_base64" holds the native path's exact bytes (RFC 4648
//   base64), so a tool that must reach the file can. size and modified are
//   null when the file is gone, native when the path names no drive.
//
// MODIFIED is ISO 8601 in UTC to the second: 2024-05-01T12:03:22Z.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Folder.h"

namespace vellomar::cli {

struct EntryFacts {
    std::string_view path;              // drive form, as listed
    std::optional<std::string> native;  // the native path
    std::optional<EntryInfo> info;      // the file as it is now
};

std::string TsvRecord(const EntryFacts& entry);
std::string JsonRecord(const EntryFacts& entry);

// A text as the json records write a string, and the exact bytes in base64,
// for other records of the same kind.
std::string JsonString(std::string_view text);
std::string Base64Of(std::string_view bytes);

}  // namespace vellomar::cli
