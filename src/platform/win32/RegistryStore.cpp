#include "platform/RegistryStore.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/SystemApi.h"
#include "platform/win32/WidePath.h"

namespace vellomar {
namespace {

// The longest key name the registry allows, in UTF-16 units.
constexpr DWORD kMaxKeyNameLength = 255;

// An open registry key, closed when it goes.
class OpenKey {
public:
    explicit OpenKey(HKEY key = nullptr) : key_(key) {}
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    explicit operator bool() const { return key_ != nullptr; }
    HKEY Get() const { return key_; }

private:
    HKEY key_;
};

std::wstring KeyPath(const std::string& root, std::string_view key) {
    if (root.empty()) return Widened(key);
    if (key.empty()) return Widened(root);
    return Widened(root + '\\' + std::string(key));
}

// Opens an existing key with the access asked for, creating nothing.
OpenKey Opened(const std::string& root, std::string_view key, REGSAM access) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(root, key).c_str(), 0, access, &opened) !=
        ERROR_SUCCESS)
        return OpenKey();
    return OpenKey(opened);
}

// Opens the key for writing values, creating it and every missing key on its path.
OpenKey Created(const std::string& root, std::string_view key) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(root, key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
        return OpenKey();
    return OpenKey(created);
}

struct StoredValue {
    DWORD type;
    std::string bytes;
};

// The value's type and bytes; nothing when it is missing or cannot be read.
std::optional<StoredValue> ValueOf(const std::string& root, std::string_view key,
                                   std::string_view name) {
    const OpenKey opened = Opened(root, key, KEY_QUERY_VALUE);
    if (!opened) return std::nullopt;
    const std::wstring wideName = Widened(name);
    std::string bytes(64, '\0');
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(bytes.size());
        const LSTATUS status = RegQueryValueExW(opened.Get(), wideName.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(bytes.data()), &size);
        // The value may have grown between the two calls: ask again with its new size.
        if (status == ERROR_MORE_DATA) {
            bytes.resize(size);
            continue;
        }
        if (status != ERROR_SUCCESS) return std::nullopt;
        bytes.resize(size);
        return StoredValue{type, std::move(bytes)};
    }
}

// "%USERPROFILE%\\x" as the system reads an expandable text: each variable
// that is set gives its value, one that is not stays as written.
std::wstring WithVariablesExpanded(const std::wstring& text) {
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        const DWORD size = ExpandEnvironmentStringsW(text.c_str(), expanded.data(),
                                                     static_cast<DWORD>(expanded.size()));
        if (size == 0) return text;
        if (size <= expanded.size()) {
            expanded.resize(size - 1);  // without its terminating null
            return expanded;
        }
        expanded.resize(size);  // a variable may grow between the two calls: ask again
    }
}

bool StoreValue(const std::string& root, std::string_view key, std::string_view name,
                DWORD type, const void* data, std::size_t size) {
    const OpenKey created = Created(root, key);
    return created && RegSetValueExW(created.Get(), Widened(name).c_str(), 0, type,
                                     static_cast<const BYTE*>(data),
                                     static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace

RegistryStore RegistryStore::OfThisUser(std::string_view, std::string_view) {
    return RegistryStore(std::string());
}

RegistryView RegistryStore::Read() const { return RegistryView(root_); }

bool RegistryStore::CreateKey(std::string_view key) const {
    return static_cast<bool>(Created(root_, key));
}

bool RegistryStore::WriteInteger(std::string_view key, std::string_view name,
                                 std::int32_t value) const {
    const DWORD stored = static_cast<DWORD>(value);
    return StoreValue(root_, key, name, REG_DWORD, &stored, sizeof stored);
}

bool RegistryStore::WriteString(std::string_view key, std::string_view name,
                                std::string_view value) const {
    const std::wstring wide = Widened(value);
    // The stored text ends with its terminating null, as the registry's own readers expect.
    return StoreValue(root_, key, name, REG_SZ, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

bool RegistryStore::UpdateStrings(std::string_view key,
                                  const std::function<StringValues(const RegistryView&)>& change) const {
    // Each registry value is written whole by the system; a mutex that every
    // run of this user names alike keeps one run's reading and writing apart
    // from another's.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\VellomarRegistryUpdate");
    if (!mutex) return false;
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    bool stored = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (stored) {
        for (const auto& [name, value] : change(Read())) stored = WriteString(key, name, value) && stored;
        ReleaseMutex(mutex);
    }
    CloseHandle(mutex);
    return stored;
}

bool RegistryView::KeyExists(std::string_view key) const {
    return static_cast<bool>(Opened(root_, key, KEY_QUERY_VALUE));
}

std::optional<std::int32_t> RegistryView::ReadInteger(std::string_view key,
                                                      std::string_view name) const {
    const std::optional<StoredValue> stored = ValueOf(root_, key, name);
    if (!stored || stored->type != REG_DWORD || stored->bytes.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, stored->bytes.data(), sizeof value);
    return static_cast<std::int32_t>(value);
}

std::optional<std::string> RegistryView::ReadString(std::string_view key,
                                                    std::string_view name) const {
    const std::optional<StoredValue> stored = ValueOf(root_, key, name);
    if (!stored || (stored->type != REG_SZ && stored->type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring text(stored->bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), stored->bytes.data(), text.size() * sizeof(wchar_t));
    // The text ends at its first null: the stored one may be missing, or followed by more.
    text.resize(std::min(text.find(L'\0'), text.size()));
    return Narrowed(stored->type == REG_EXPAND_SZ ? WithVariablesExpanded(text) : text);
}

std::vector<std::string> RegistryView::SubkeyNames(std::string_view key) const {
    std::vector<std::string> names;
    const OpenKey opened = Opened(root_, key, KEY_ENUMERATE_SUB_KEYS);
    if (!opened) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxKeyNameLength + 1];
        DWORD length = kMaxKeyNameLength + 1;
        if (RegEnumKeyExW(opened.Get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Narrowed(std::wstring_view(name, length)));
    }
    return names;
}

}  // namespace vellomar
