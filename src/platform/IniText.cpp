#include "platform/IniText.h"

#include "platform/IniDocument.h"

namespace vellomar::ini_text {

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    return IniDocument(std::string(text)).Value(section, key);
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    IniDocument document{std::string(text)};
    document.SetValue(section, key, value);
    return document.Text();
}

std::string WithSection(std::string_view text, std::string_view section) {
    IniDocument document{std::string(text)};
    document.AddSection(section);
    return document.Text();
}

std::vector<std::string> SectionNames(std::string_view text) {
    return IniDocument(std::string(text)).SectionNames();
}

}  // namespace vellomar::ini_text
