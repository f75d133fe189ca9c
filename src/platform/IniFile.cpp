#include "platform/IniFile.h"

#include <charconv>
#include <stdexcept>

#include "platform/IniEncoding.h"
#include "platform/TextFile.h"

namespace vellomar {

IniWriteError::IniWriteError(const std::string& shownPath)
    : std::runtime_error("Unable to write to " + shownPath) {}

std::string_view AsProfileValue(std::string_view value) {
    if (value.size() <= kMaxProfileValueLength) return value;
    std::size_t length = kMaxProfileValueLength;
    auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    while (length > 0 && isContinuation(value[length])) --length;
    return value.substr(0, length);
}

namespace {

// An optional sign and decimal digits that fit 32 bits; nothing for anything else.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    text = ini_text::TrimBlanks(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

IniFile::IniFile(std::string nativePath, std::string shownPath)
    : nativePath_(std::move(nativePath)), shownPath_(std::move(shownPath)) {}

std::string IniFile::ReadText() const {
    std::optional<TextFileState> state = ReadTextFile(nativePath_);
    return state ? DecodeIni(state->text).text : std::string();
}

void IniFile::Rewrite(const std::function<std::string(std::string_view)>& change) const {
    // An empty path would put the temporary file in the working folder.
    if (nativePath_.empty()) throw IniWriteError(shownPath_);
    std::optional<TextFileState> current = ReadTextFile(nativePath_);
    // A file the owner may not write stays as it is, as a read-only file does on the desktop.
    if (!current || !current->ownerMayWrite) throw IniWriteError(shownPath_);

    const DecodedIni decoded = DecodeIni(current->text);
    std::string text;
    try {
        text = change(decoded.text);
    } catch (const std::invalid_argument&) {
        throw IniWriteError(shownPath_);
    } catch (const std::length_error&) {
        throw IniWriteError(shownPath_);
    }
    // The file keeps the encoding it was saved in.
    const std::optional<std::string> bytes = EncodeIni(text, decoded.encoding);
    if (!bytes || !ReplaceTextFile(nativePath_, *bytes)) throw IniWriteError(shownPath_);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    std::optional<std::string> value = ini_text::FindValue(ReadText(), section, key);
    return std::string(value ? AsProfileValue(*value) : fallback);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const {
    return ParseDecimal(ReadString(section, key, "")).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
    Rewrite([&](std::string_view text) { return ini_text::WithValue(text, section, key, value); });
}

void IniFile::WriteInteger(std::string_view section, std::string_view key,
                           std::int32_t value) const {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) const {
    WriteString(section, key, value ? "1" : "0");
}

}  // namespace vellomar
