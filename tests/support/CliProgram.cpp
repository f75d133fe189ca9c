#include "support/CliProgram.h"

#include <sstream>

namespace vellomar::test {

std::vector<std::string> OutputLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace vellomar::test
