// Times the sort and the filter of a long result list, as the window and the
// command line run them: the entries sorted by name and by path in the user's
// locale, then narrowed by a filter. The list is made up,
// so no file is looked up. With --tree, the list holds the files of a real
// folder instead, as a search lists them, and the size sort, which looks up
// whether each entry's file is still the one listed, is timed beside the sort
// by name.
//
//   vellomar-sort-bench [--rows N]     (default 1,000,000)
//   vellomar-sort-bench --tree FOLDER

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/Platform.h"
#include "results/Filtering.h"
#include "results/LocaleCollation.h"
#include "results/Sorting.h"
#include "run/Session.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace vellomar;

// Paths as a drive search leaves them: mixed letter case, folders of uneven
// depth, names with and without extensions, many names repeated across folders.
void FillList(ResultList& list, std::size_t rows) {
    static const char* const kFolders[] = {"Users\\Ann\\Documents", "users\\bob\\AppData\\Local\\Temp",
                                           "Program Files\\Tools", "home\\ann\\Projects\\src",
                                           "Windows\\Temp", "data\\Photos\\2024"};
    static const char* const kExtensions[] = {".tmp", ".TMP", ".log", ".doc", "", ".bak", ".jpg", ".~dp"};
    unsigned state = 12345;
    const auto next = [&state] { return state = state * 1103515245u + 12345u; };
    for (std::size_t i = 0; i < rows; ++i) {
        std::string entry = "c:\\";
        entry += kFolders[next() % 6];
        entry += "\\Folder" + std::to_string(next() % 997);
        entry += i % 3 ? "\\report" : "\\File";
        entry += std::to_string(next() % 50000);
        entry += kExtensions[next() % 8];
        list.Append(std::move(entry), {});
    }
}

// Every file below a folder that drive t: stands for, with the file it is.
void FillFromTree(ResultList& list, const FileSystem& files, const std::filesystem::path& top) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top)) {
        if (!entry.is_regular_file()) continue;
        std::string path = "t:";
        for (const auto& name : std::filesystem::relative(entry.path(), top)) path += "\\" + name.string();
        const auto found = files.Find(path, NameMatch::Exact);
        if (found) list.Append(path, ListedAs(found->info));
    }
}

// Wall and processor seconds: on a busy machine the second tells more.
struct Seconds {
    double wall;
    double processor;
};

Seconds Time(const std::function<void()>& work) {
    const Clock::time_point start = Clock::now();
    const std::clock_t startTicks = std::clock();
    work();
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            double(std::clock() - startTicks) / CLOCKS_PER_SEC};
}

void Print(const char* what, Seconds seconds) {
    std::printf("%-14s %6.3f s  (processor %.3f s)\n", what, seconds.wall, seconds.processor);
}

// The locale the sort runs in, as the user set it.
std::string LocaleShown() {
    const std::string locale = UserCollationLocale();
    return locale.empty() ? "none set (C; under Windows the user's setting)" : locale;
}

}  // namespace

int SortRealTree(const char* top) {
    DriveTable drives;
    drives.Assign('t', top);
    Platform platform(std::move(drives), UserFolders::OfThisProcess());
    Session session(platform);
    const LocaleCollation collation;
    const auto sortBy = [&](SortKind kind) {
        session.results.Clear();
        FillFromTree(session.results, platform.Files(), top);
        return Time([&] { SortList(session.results, platform.Files(), collation, kind, true); });
    };
    const Seconds byName = sortBy(SortKind::Name);
    std::printf("%zu files of %s, locale %s\n", session.results.Count(), top,
                LocaleShown().c_str());
    Print("sort by name", byName);
    const Seconds bySize = sortBy(SortKind::Size);
    Print("sort by size", bySize);
    std::printf("size / name: %.2fx\n", bySize.wall / byName.wall);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--tree") == 0) return SortRealTree(argv[2]);
    std::size_t rows = 1'000'000;
    if (argc == 3 && std::strcmp(argv[1], "--rows") == 0) rows = std::strtoull(argv[2], nullptr, 10);

    Platform platform(DriveTable(), UserFolders::OfThisProcess());
    Session session(platform);
    const LocaleCollation collation;
    const auto sortBy = [&](SortKind kind) {
        session.results.Clear();
        FillList(session.results, rows);
        return Time([&] { SortList(session.results, platform.Files(), collation, kind, true); });
    };

    std::printf("%zu entries, locale %s\n", rows, LocaleShown().c_str());
    Print("sort by name", sortBy(SortKind::Name));
    Print("sort by path", sortBy(SortKind::Path));
    Print("sort by ext", sortBy(SortKind::Extension));

    session.results.Clear();
    FillList(session.results, rows);
    Print("filter", Time([&] { FilterList(session.results, FilterText("folder12")); }));
    std::printf("%zu entries kept\n", session.results.Count());
    return 0;
}
