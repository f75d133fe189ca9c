#include "results/Sorting.h"

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/DrivePath.h"
#include "platform/FolderTrail.h"
#include "run/EmptyListCheck.h"

namespace vellomar {
namespace {

constexpr std::string_view kKeySeparator = ":::";
constexpr std::size_t kSizeKeyDigits = 10;

// Padded on the left with '0', the minus sign of -1 included: "00000000-1".
// Longer figures stay as they are.
std::string SizeKey(std::int64_t size) {
    std::string digits = std::to_string(size);
    if (digits.size() < kSizeKeyDigits) digits.insert(0, kSizeKeyDigits - digits.size(), '0');
    return digits;
}

// The size each entry sorts by: its file's, while the file at its path is
// still the one listed, else -1, as for a file that is gone. Each core takes
// a run of the entries and opens their folders with a trail of its own, each
// folder once while entries share it.
std::vector<std::int64_t> ListedSizes(const ResultList& list, const FileSystem& files) {
    std::vector<std::int64_t> sizes(list.Count(), -1);
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t runLength = std::max<std::size_t>(1, (list.Count() + cores - 1) / cores);
    const auto sizeRun = [&](std::size_t begin, std::size_t end) {
        FolderTrail trail = files.Trail();
        for (std::size_t row = begin; row < end; ++row)
            if (const auto info = trail.StillListed(list.FoundPath(row), list.Listed(row)))
                sizes[row] = info->size;
    };
    std::vector<std::jthread> threads;
    for (std::size_t begin = 0; begin < list.Count(); begin += runLength)
        threads.emplace_back(sizeRun, begin, std::min(list.Count(), begin + runLength));
    return sizes;
}

// The key, ":::" and the entry. The entry comes back by its position, never
// by cutting this text at its first ":::", which a name may hold too.
std::string SortText(const ResultList& list, std::size_t row,
                     const std::vector<std::int64_t>& sizes, SortKind kind) {
    const std::string entry = list.At(row);
    std::string sizeKey;
    std::string_view key;
    switch (kind) {
        case SortKind::Extension: key = ExtensionOf(entry); break;
        case SortKind::Name: key = LastName(entry); break;
        case SortKind::Path: key = entry; break;
        case SortKind::Size: key = sizeKey = SizeKey(sizes[row]); break;
    }
    std::string text;
    text.reserve(key.size() + kKeySeparator.size() + entry.size());
    text.append(key).append(kKeySeparator).append(entry);
    return text;
}

void BeginSort(SortView& view) {
    view.SetSortButtonsEnabled(false);
    view.ShowStatus(kSortingStatus);
}

void EndSort(ResultList& list, SortView& view) {
    view.SetSortButtonsEnabled(true);
    view.ShowStatus(kSortFinishedStatus);
    // Messages handled before the sort may have emptied the list.
    if (!list.Empty()) list.Highlight(0);
    view.ShowListChange();
    if (!list.Empty()) view.DescribeCurrentEntry();
}

}  // namespace

void SortList(ResultList& list, const FileSystem& files, const ListCollation& collation,
              SortKind kind, bool ignoreCase) {
    if (ignoreCase) {
        for (std::size_t row = 0; row < list.Count(); ++row) list.ShowLowerCased(row);
    }
    const std::vector<std::int64_t> sizes =
        kind == SortKind::Size ? ListedSizes(list, files) : std::vector<std::int64_t>();
    list.KeepRows(collation.AscendingOrder(
        list.Count(), [&](std::size_t row) { return SortText(list, row, sizes, kind); }));
}

void SortButtonClick(SortContext& context, SortKind kind) {
    ResultList& list = context.session.results;
    if (!ListReadyForSort(list, context.prompts)) return;
    context.view.ShowSortNotice();
    BeginSort(context.view);
    context.view.ProcessPendingMessages();
    SortList(list, context.session.platform.Files(), context.collation, kind,
             context.view.IgnoreCaseChecked());
    EndSort(list, context.view);
    context.view.CloseSortNotice();
}

}  // namespace vellomar
