#pragma once
// The core's UTF-8 texts as the toolkit's strings, and back.

#include <QString>
#include <string>
#include <string_view>

#include "platform/Utf16Text.h"

namespace vellomar {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A path a file dialog chose, in the program's native form: every unit kept,
// a Windows name's half of no surrogate pair too, so that it names the folder
// chosen (toStdString would put U+FFFD there).
inline std::string ChosenPath(const QString& path) {
    return Utf8OfUtf16({reinterpret_cast<const char16_t*>(path.utf16()),
                        static_cast<std::size_t>(path.size())});
}

}  // namespace vellomar
