#pragma once
// The core's UTF-8 texts as the toolkit's strings.

#include <QString>
#include <string_view>

namespace vellomar {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace vellomar
