#include "platform/CommandLine.h"

#include <filesystem>

namespace vellomar {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::optional<std::string> ExistingFolderPath(std::string_view typed) {
    std::error_code error;
    const std::filesystem::path folder(typed);
    if (!std::filesystem::is_directory(folder, error)) return std::nullopt;
    return std::filesystem::absolute(folder, error).lexically_normal().string();
}

}  // namespace vellomar
