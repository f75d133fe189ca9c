// Times the one-pass rebuild that follows a deletion and weighs the result
// list against the texts it holds.
//
//   vellomar-list-rebuild-bench [--entries N] [--runs R]
//
// A list of N entries (default 1,000,000) is filled with drive-form paths of
// varied depth, every tenth entry is taken as removed, and DropRows rebuilds
// the list without them; only the rebuild is timed, the list is refilled
// between runs. Memory is what the C library's allocator holds for the list,
// the entries' file identities included (glibc's mallinfo2), divided by the
// bytes of the entry texts.

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "results/Deletion.h"
#include "run/ResultList.h"

namespace {

using Clock = std::chrono::steady_clock;

std::size_t AllocatedBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and mmap'ed ones (a big vector)
}

// Paths like those a search lists: 2 to 7 folders, a numbered file name.
std::string EntryText(std::size_t row) {
    static const char* const kFolders[] = {"users", "ann", "AppData", "Local", "Temp",
                                           "Mozilla", "Firefox", "Profiles", "cache2",
                                           "entries", "Documents", "projects", "build"};
    constexpr std::size_t kFolderCount = sizeof kFolders / sizeof kFolders[0];
    std::string text = "c:";
    const std::size_t depth = 2 + row % 6;
    for (std::size_t level = 0; level < depth; ++level)
        text.append("\\").append(kFolders[(row / (level + 1) + level * 7) % kFolderCount]);
    return text + "\\file" + std::to_string(row) + (row % 3 ? ".tmp" : ".bak");
}

// The file of an entry as a walk of a large disk finds it: inodes in the
// hundreds of millions, sizes up to a few megabytes, modified in the last
// few years to the nanosecond.
vellomar::ListedFile ListedFileOf(std::size_t row) {
    const std::uint64_t mixed = (row + 1) * 0x9e3779b97f4a7c15ull;
    return {{0x803, 100'000'000 + (mixed >> 36)},
            static_cast<std::int64_t>((mixed >> 20) % 4'000'000),
            {1'600'000'000 + static_cast<std::int64_t>((mixed >> 8) % 200'000'000),
             static_cast<std::int32_t>(mixed % 1'000'000'000)}};
}

void Fill(vellomar::ResultList& list, std::size_t entries) {
    list.Clear();
    for (std::size_t row = 0; row < entries; ++row) {
        // Copied in, as the walk hands its entries over: no spare capacity.
        const std::string text = EntryText(row);
        list.Append(text, ListedFileOf(row));
    }
}

std::size_t TextBytes(const vellomar::ResultList& list) {
    std::size_t bytes = 0;
    for (std::size_t row = 0; row < list.Count(); ++row) bytes += list.FoundPath(row).size();
    return bytes;
}

void ReportMemory(const char* what, std::size_t listBytes, std::size_t textBytes,
                  std::size_t entries) {
    std::printf("%-34s %6.1f bytes/entry, texts %5.1f bytes/entry: %.2fx\n", what,
                static_cast<double>(listBytes) / entries, static_cast<double>(textBytes) / entries,
                static_cast<double>(listBytes) / textBytes);
}

std::size_t ParseCount(const char* text) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0' || value == 0) {
        std::fprintf(stderr, "not a positive count: %s\n", text);
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t entries = 1'000'000;
    std::size_t runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--entries") == 0) entries = ParseCount(argv[i + 1]);
        else if (std::strcmp(argv[i], "--runs") == 0) runs = ParseCount(argv[i + 1]);
        else {
            std::fprintf(stderr, "usage: %s [--entries N] [--runs R]\n", argv[0]);
            return 2;
        }
    }

    std::vector<std::size_t> removed;
    for (std::size_t row = 0; row < entries; row += 10) removed.push_back(row);

    // Memory first, on a list that has seen nothing but appends.
    vellomar::ResultList list;
    const std::size_t before = AllocatedBytes();
    Fill(list, entries);
    ReportMemory("after appends", AllocatedBytes() - before, TextBytes(list), entries);
    vellomar::DropRows(list, removed);
    ReportMemory("after the rebuild", AllocatedBytes() - before, TextBytes(list), list.Count());
    // A case-folding sort shows every entry lower-cased.
    Fill(list, entries);
    for (std::size_t row = 0; row < entries; ++row) list.ShowLowerCased(row);
    ReportMemory("after lowering every entry", AllocatedBytes() - before, TextBytes(list), entries);

    std::vector<double> seconds;
    for (std::size_t run = 0; run < runs; ++run) {
        Fill(list, entries);
        for (std::size_t row : removed) list.Highlight(row);
        const Clock::time_point start = Clock::now();
        vellomar::DropRows(list, removed);
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (list.Count() != entries - removed.size()) {
            std::fprintf(stderr, "the rebuilt list holds %zu entries\n", list.Count());
            return 1;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("rebuild of %zu entries without %zu: median %.3f s, slowest %.3f s (%zu runs)\n",
                entries, removed.size(), seconds[seconds.size() / 2], seconds.back(), runs);
    return 0;
}
