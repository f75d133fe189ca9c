#pragma once
// The text rules of ini files, shared by the ini files and the registry store:
// "[Section]" lines, then "key=value" lines, names compared without regard to
// ASCII letter case; a new section goes at the end, a new key after the last
// key of its section, an existing key is rewritten in place. Each function here
// reads the whole text; many reads and writes on one text go through IniDocument.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

// Pure text rules, shared by the ini files and the registry store. A line ends at
// "\n", "\r\n" or a lone "\r". Reading takes the blanks off a value's ends and
// one pair of matching quotes from around it, so a value that would lose either
// is written quoted. A name or value that would read back differently or break
// the line layout (a line break, a key holding '=' or opening with '[' or ';', a
// section holding ']', blanks around a name) makes the writing functions throw
// std::invalid_argument.
namespace ini_text {
// Without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);
// The value of key in section, or nothing when either is missing.
std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key);
// The text with key set to value in section, following the placement rules above.
std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);
// The text with an empty section appended when no section of that name exists.
std::string WithSection(std::string_view text, std::string_view section);
// The names of all sections, in file order, as written.
std::vector<std::string> SectionNames(std::string_view text);
}  // namespace ini_text

}  // namespace vellomar
