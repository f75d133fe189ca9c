#pragma once
// The per-user registry: keys named by backslash paths ("Software\Quorvat\Settings"),
// compared without regard to ASCII letter case, each holding typed values
// (32-bit integers and texts) and subkeys. A missing key reads as a missing value.
// On Windows it is the system's registry, the current user's hive. Elsewhere
// it is stored as a person-readable ini file: one section per key, values
// written "dword:<decimal>" or "sz:<text>"; every write replaces the file
// atomically.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifndef _WIN32
#include "platform/IniDocument.h"
#include "platform/IniFile.h"
#endif

namespace vellomar {

// The store for many reads in a row: the ini file as one reading of it found
// it, or the registry itself, read afresh by each call.
class RegistryView {
public:
#ifdef _WIN32
    explicit RegistryView(std::string root) : root_(std::move(root)) {}
#else
    explicit RegistryView(std::string text) : document_(std::move(text)) {}
#endif

    bool KeyExists(std::string_view key) const;
    // Nothing when the key or value is missing or holds another type.
    std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const;
    std::optional<std::string> ReadString(std::string_view key, std::string_view name) const;
    // The names of the key's direct subkeys (last path part only), in stored order.
    std::vector<std::string> SubkeyNames(std::string_view key) const;

private:
#ifdef _WIN32
    std::string root_;
#else
    IniDocument document_;
#endif
};

class RegistryStore {
public:
#ifdef _WIN32
    // The keys under root, a key of the current user's hive named by a
    // backslash path that stands in for the hive; the empty root is the hive.
    explicit RegistryStore(std::string root) : root_(std::move(root)) {}
#else
    // The keys kept in the ini file at nativePath; shownPath names it in messages.
    RegistryStore(std::string nativePath, std::string shownPath);
#endif
    // The current user's registry: the hive itself on Windows; elsewhere the
    // file "vellomar-registry.ini" in the configuration folder (native path),
    // shown in the application-data folder (drive form).
    static RegistryStore OfThisUser(std::string_view configHome, std::string_view appDataFolder);

    // Reads the store once; each read below reads it afresh.
    RegistryView Read() const;

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

    // Texts to write under a key: value name, then text.
    using StringValues = std::vector<std::pair<std::string, std::string>>;
    // Writes under key the texts change picks from a fresh reading of the
    // store, and no other run of the program writes the store between that
    // reading and this write; false when the store cannot be written (change
    // may then not have been asked).
    bool UpdateStrings(std::string_view key,
                       const std::function<StringValues(const RegistryView&)>& change) const;

private:
#ifdef _WIN32
    std::string root_;
#else
    IniFile file_;
    std::string lockPath_;  // the file every writer of the store holds locked while it writes
#endif
};

}  // namespace vellomar
