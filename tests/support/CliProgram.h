#pragma once
// vellomar-cli run as its own process, as a person runs it, with its data
// folder (and under Linux the browsers' cache home) in the test's tree, never
// the user's. The test program names the program's path as VELLOMAR_CLI_PATH.

#include <filesystem>
#include <string>
#include <vector>

namespace vellomar::test {

struct CliRun {
    int status = -1;
    std::vector<std::string> out;
    std::vector<std::string> err;
    std::string rawOut;
};

struct CliHomes {
    // Holds the data folder "Velmo": XDG_CONFIG_HOME, or %APPDATA% under Windows.
    std::filesystem::path config;
    // XDG_CACHE_HOME, where the browsers' caches lie (Linux).
    std::filesystem::path cache;
};

// Runs the program with arguments, a command line of words split at blanks (a
// word holding blanks stands in double quotes); its outputs are caught in
// files in scratch, which also holds its share of the user's data (Linux:
// XDG_DATA_HOME is scratch/share).
CliRun RunCli(const CliHomes& homes, const std::string& arguments,
              const std::filesystem::path& scratch);

// The lines of an output, each without its ending: "\n", or "\r\n" as the
// Windows console's text mode writes it.
std::vector<std::string> OutputLines(const std::string& text);

}  // namespace vellomar::test
