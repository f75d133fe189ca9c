#pragma once
// The per-user registry: keys named by backslash paths ("Software\Quorvat\Settings"),
// compared without regard to ASCII letter case, each holding typed values
// (32-bit integers and texts) and subkeys. A missing key reads as a missing value.
// Stored as a person-readable ini file: one section per key, values written
// "dword:<decimal>" or "sz:<text>"; every write replaces the file atomically.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/IniDocument.h"
#include "platform/IniFile.h"

namespace vellomar {

// The store as one reading of it found it, for many reads in a row.
class RegistryView {
public:
    explicit RegistryView(std::string text) : document_(std::move(text)) {}

    bool KeyExists(std::string_view key) const;
    // Nothing when the key or value is missing or holds another type.
    std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const;
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;
    // The names of the key's direct subkeys (last path part only), in stored order.
    std::vector<std::string> SubkeyNames(std::string_view key) const;

private:
    IniDocument document_;
};

class RegistryStore {
public:
    RegistryStore(std::string nativePath, std::string shownPath);

    // Reads the store once; each read below reads it afresh.
    RegistryView Read() const { return RegistryView(file_.ReadText()); }

    bool KeyExists(std::string_view key) const { return Read().KeyExists(key); }
    // Creates the key, and any missing key on its path, as the registry does;
    // false when the store cannot be written.
    bool CreateKey(std::string_view key) const;

    std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const {
        return Read().ReadInteger(key, name);
    }
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const {
        return Read().ReadString(key, name);
    }

    // Create the key as CreateKey does when needed; false when the store cannot be written.
    bool WriteInteger(std::string_view key, std::string_view name, std::int32_t value) const;
    bool WriteString(std::string_view key, std::string_view name, std::string_view value) const;

private:
    IniFile file_;
};

}  // namespace vellomar
