#pragma once
// How vellomar-cli prints an entry on its line of stdout. An entry whose text
// holds a control character (a newline, say) or bytes that are not UTF-8 is
// printed in the shell's $'...' quoting: a line that starts with "$'" is such
// an entry, since every other entry starts with its drive letter and ':'.
// Inside the quotes '\' and ''' are escaped as \\ and \', control characters
// as \n, \t, \r or \xHH, and bytes that are not UTF-8 as \xHH. Pasted into
// bash, the quoted text is the entry's exact bytes.

#include <string>
#include <string_view>

namespace vellomar::cli {

std::string PrintedEntry(std::string_view entry);

}  // namespace vellomar::cli
