// Times reading and saving a full qsearch.ini: 500 BYPASS and 500 SEARCH ONLY
// folders of realistic length.
//
//   vellomar-qsearch-file-bench [--runs R]
//
// Each row is the median of R runs (default 21), in wall time and in the
// processor time of the process, on a file in a fresh folder under the
// temporary folder, removed afterwards:
// - read: ReadQuickSearchSettings on the full file;
// - save over a full file: every key already there, each rewritten in place;
// - save into an empty file: every key and section added;
// - replacement alone: the same file rewritten unchanged, the floor of a save
//   (read, write to a temporary file, sync, rename);
// - one FindValue / one WithValue on the full text, as the ini file's
//   single-key reads and writes do them;
// - read and save over the same file saved as UTF-16 with its byte order mark.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/IniEncoding.h"
#include "platform/TextFile.h"
#include "quicksearch/QuickSearchFile.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using vellomar::QuickSearchSettings;

// Where timed results go, so that the compiler keeps the work that makes them.
volatile std::size_t gSink = 0;

// Folder paths like those users list: 3 to 7 levels, some with blanks.
std::vector<std::string> Folders(std::string_view drive, std::size_t count) {
    static const char* const kNames[] = {"Users", "Ann Marie", "AppData", "Local", "Projects",
                                         "Program Files", "Backups 2026", "node_modules",
                                         "Photos", "build-release", "Documents", "Archive"};
    constexpr std::size_t kNameCount = sizeof kNames / sizeof kNames[0];
    std::vector<std::string> folders;
    for (std::size_t number = 0; number < count; ++number) {
        std::string folder(drive);
        for (std::size_t level = 0; level < 3 + number % 5; ++level)
            folder.append("\\").append(kNames[(number * 7 + level * 5) % kNameCount]);
        folders.push_back(folder + "\\Folder " + std::to_string(number));
    }
    return folders;
}

struct Timing {
    double wallMs;
    double processorMs;  // this process's own work, without the waits for the disk
};

// Median times of runs calls of work, each after an untimed prepare.
Timing Median(std::size_t runs, const std::function<void()>& prepare,
              const std::function<void()>& work) {
    std::vector<double> wall;
    std::vector<double> processor;
    for (std::size_t run = 0; run < runs; ++run) {
        prepare();
        const Clock::time_point start = Clock::now();
        const std::clock_t startTicks = std::clock();
        work();
        const std::clock_t ticks = std::clock() - startTicks;
        processor.push_back(1000.0 * static_cast<double>(ticks) / CLOCKS_PER_SEC);
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(wall.begin(), wall.end());
    std::sort(processor.begin(), processor.end());
    return {wall[runs / 2], processor[runs / 2]};
}

void Report(const char* what, const Timing& timing) {
    std::printf("%-32s %10.3f %10.3f\n", what, timing.wallMs, timing.processorMs);
}

std::size_t ParseRuns(int argc, char** argv) {
    if (argc == 1) return 21;
    char* end = nullptr;
    const unsigned long runs = argc == 3 && std::strcmp(argv[1], "--runs") == 0
                                   ? std::strtoul(argv[2], &end, 10)
                                   : 0;
    if (runs == 0 || *end != '\0') {
        std::fprintf(stderr, "usage: %s [--runs R]\n", argv[0]);
        std::exit(2);
    }
    return runs;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t runs = ParseRuns(argc, argv);
    const std::string stamp = std::to_string(Clock::now().time_since_epoch().count());
    const fs::path folder = fs::temp_directory_path() / ("vellomar-qsearch-bench-" + stamp);
    if (!fs::create_directory(folder)) {
        std::fprintf(stderr, "cannot create %s\n", folder.string().c_str());
        return 1;
    }
    const fs::path path = folder / "qsearch.ini";
    const vellomar::IniFile file(path.string(), "t:\\qsearch.ini");
    const QuickSearchSettings settings{Folders("c:", vellomar::kMaxFoldersPerList),
                                       Folders("d:", vellomar::kMaxFoldersPerList),
                                       vellomar::QuickSearchScope::BothWindows,
                                       vellomar::QuickSearchMode::SearchOnly};
    const auto nothing = [] {};
    const auto empty = [&] { fs::remove(path); };
    const auto save = [&] { vellomar::SaveQuickSearchSettings(file, settings); };

    save();
    const std::string text = file.ReadText();
    const QuickSearchSettings read = vellomar::ReadQuickSearchSettings(file);
    if (read.skipFolders != settings.skipFolders || read.onlyFolders != settings.onlyFolders) {
        std::fprintf(stderr, "the file does not read back as saved\n");
        return 1;
    }
    std::printf("qsearch.ini of %zu bytes, medians of %zu runs in ms\n", text.size(), runs);
    std::printf("%-32s %10s %10s\n", "", "wall", "processor");
    Report("read", Median(runs, nothing, [&] {
               gSink = gSink + vellomar::ReadQuickSearchSettings(file).skipFolders.size();
           }));
    Report("save over a full file", Median(runs, nothing, save));
    Report("save into an empty file", Median(runs, empty, save));
    save();
    Report("replacement alone", Median(runs, nothing, [&] {
               file.Rewrite([](std::string_view current) { return std::string(current); });
           }));
    Report("one FindValue (Only F500)", Median(runs, nothing, [&] {
               gSink = gSink + vellomar::ini_text::FindValue(text, "Only", "F500")->size();
           }));
    Report("one WithValue (Only F500)", Median(runs, nothing, [&] {
               gSink = gSink + vellomar::ini_text::WithValue(text, "Only", "F500", "d:\\x").size();
           }));
    // The same file as an editor saves it in "Unicode".
    save();
    if (!vellomar::ReplaceTextFile(path.string(),
                                   *vellomar::EncodeIni(text, vellomar::IniEncoding::Utf16LittleEndian))) {
        std::fprintf(stderr, "cannot write the UTF-16 file\n");
        return 1;
    }
    Report("read (UTF-16 file)", Median(runs, nothing, [&] {
               gSink = gSink + vellomar::ReadQuickSearchSettings(file).skipFolders.size();
           }));
    Report("save over a full UTF-16 file", Median(runs, nothing, save));
    fs::remove_all(folder);
    return 0;
}
