#pragma once
// How vellomar-cli prints an entry on its line of stdout, and every name, id
// or path it prints anywhere. An entry whose text holds a control character
// (a newline, say, or a C1 control such as U+009B) or bytes that are not UTF-8 is
// printed in the shell's $'...' quoting: a line that starts with "$'" is such
// an entry, since every other entry starts with its drive letter and ':'.
// Inside the quotes '\' and ''' are escaped as \\ and \', control characters
// as \n, \t, \r or \xHH (a C1 control as the \xHH of both its bytes), and
// bytes that are not UTF-8 as \xHH. Pasted into bash, the quoted text is the
// entry's exact bytes.

#include <string>
#include <string_view>

namespace vellomar::cli {

std::string PrintedEntry(std::string_view entry);

// A message of lines, each printed as PrintedEntry prints an entry: the names
// in it are quoted where it was made, and this keeps whatever else reaches
// the terminal from acting on it.
std::string PrintedLines(std::string_view text);

}  // namespace vellomar::cli
