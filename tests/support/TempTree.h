#pragma once
// A temporary folder tree for one test, removed when the test ends, and
// whole-file reads and writes; on every platform (std::filesystem).

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar::test {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path operator/(std::string_view relative) const { return root_ / relative; }

    // Creates a file (and its folders) holding size bytes. relative uses '/'.
    std::filesystem::path AddFile(std::string_view relative, std::size_t size = 1);
    std::filesystem::path AddFolder(std::string_view relative);
    // Each line "path" or "path:size"; a path ending in '/' is a folder.
    void AddAll(const std::vector<std::string>& lines);
    void MakeReadOnly(std::string_view relative);
    // Sets when the file was last changed, in seconds since 1970 (UTC).
    static void SetLastChange(const std::filesystem::path& path, std::int64_t changed);
    // Noon of 2300-01-01 UTC: beyond 2262, where a clock counting nanoseconds
    // in 64 bits ends, so a time that wraps reads as 1715.
    static constexpr std::int64_t kNoonOf2300 = 10'413'835'200;

private:
    std::filesystem::path root_;
};

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, std::string_view text);
// The file's text once it exists, waiting up to patience for a program that
// runs on its own to write it; "" when it does not appear.
std::string ReadOnceWritten(const std::filesystem::path& path, std::chrono::milliseconds patience);

}  // namespace vellomar::test
