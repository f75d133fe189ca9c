#pragma once
// What a test arranges that not every system allows.
//
// Symbolic links and named pipes planted in a test's tree. Not every system
// makes them (Windows makes no named pipes in folders, its symbolic links need
// a privilege, and Wine makes none), so each planting says why it made
// nothing, and the test that needs the entry skips with that reason:
//
//     PLANT_OR_SKIP(test::PlantLink(target, link));

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vellomar::test {

// A symbolic link at link naming target, a file's or a folder's (a relative
// target is read from the link's folder). "" once planted, else why not.
std::string PlantLink(const std::filesystem::path& target, const std::filesystem::path& link);
// A named pipe at path. "" once planted, else why not.
std::string PlantNamedPipe(const std::filesystem::path& path);

// Where vellomar-cli run by RunCli keeps the bin for drives without one, below
// the scratch folder: among the user's data, or under Windows in the data folder.
#ifdef _WIN32
inline constexpr char kDataBinFolder[] = "config/Velmo/Garbage Bin";
#else
inline constexpr char kDataBinFolder[] = "share/vellomar/Garbage Bin";
#endif

#ifdef _WIN32
// What Windows lacks or does otherwise: a case that needs it is built under
// Windows as a skip with its reason, `GTEST_SKIP() << test::kNoWriteLimit;`.
inline constexpr char kNoWriteLimit[] = "Windows sets no limit on the size of a process's writes";
inline constexpr char kNoOtherUser[] =
    "under Windows no mode bits make a file unreadable or a folder unwritable";
inline constexpr char kNoOpenCount[] = "Windows reports no opens of a file";
inline constexpr char kNoCaseTwins[] =
    "a Windows folder tells names apart by letter case alone only when made case-sensitive "
    "(Windows 10 1803 on), which Wine cannot do";
inline constexpr char kNoAwkwardNames[] =
    "a Windows name holds no backslash, quote or line break, and no byte outside UTF-8";
inline constexpr char kNoTrailingBlanks[] =
    "Wine drops the blanks at the end of a name even in a \\\\?\\ path, where Windows keeps them";
inline constexpr char kNoModeBits[] = "Windows keeps no mode bits for a file";
inline constexpr char kNoRegistryFile[] =
    "under Windows the registry is the system's, which no test makes unwritable";
inline constexpr char kNoPackageLists[] =
    "Windows keeps no package lists and lays out no /etc or /var/lib to lay a system out in";
inline constexpr char kNoEntrySwaps[] =
    "Windows swaps no two entries of a folder in one step, as a racing process here does";
inline constexpr char kNoHandleSwap[] =
    "Windows lets no test turn a folder's open handle into another file's";
inline constexpr char kNoLocaleVariables[] =
    "Windows takes the user's locale from its settings, not from LC_ALL";
inline constexpr char kNoUrlCacheFiles[] =
    "under Windows the URL cache is WinINet's, not the browsers' cache folders this case fills";
#endif

}  // namespace vellomar::test

#define PLANT_OR_SKIP(planting)                                   \
    do {                                                          \
        const std::string why_not = (planting);                   \
        if (!why_not.empty()) GTEST_SKIP() << why_not;            \
    } while (false)
