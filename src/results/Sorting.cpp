#include "results/Sorting.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <thread>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "platform/FolderTrail.h"
#include "results/ByteKeyOrder.h"
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

// ASCII in the Unicode collation algorithm's default order (as the Unicode
// common locale data has it), lower-case letters standing for both cases.
constexpr std::string_view kUnicodeDefaultAsciiOrder =
    "\t\n\v\f\r _-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$0123456789abcdefghijklmnopqrstuvwxyz";
constexpr unsigned char kIgnored = 0;

// Each byte's place in that order; ASCII left out of it is ignored, and the
// bytes beyond ASCII keep their values, which lie above every rank.
constexpr std::array<unsigned char, 256> UnicodeDefaultRanks() {
    std::array<unsigned char, 256> ranks{};
    for (unsigned byte = 128; byte < 256; ++byte) ranks[byte] = static_cast<unsigned char>(byte);
    for (std::size_t place = 0; place < kUnicodeDefaultAsciiOrder.size(); ++place) {
        const char c = kUnicodeDefaultAsciiOrder[place];
        ranks[static_cast<unsigned char>(c)] = static_cast<unsigned char>(place + 1);
        ranks[static_cast<unsigned char>(AsciiUpper(c))] = static_cast<unsigned char>(place + 1);
    }
    return ranks;
}
constexpr std::array<unsigned char, 256> kUnicodeDefaultRanks = UnicodeDefaultRanks();
static_assert(kUnicodeDefaultAsciiOrder.size() < 128);

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

std::vector<std::size_t> AsciiCaseInsensitiveCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    const AppendKey lowered = [](const std::string& text, std::string& keys) {
        for (char c : text) keys.push_back(AsciiLower(c));
    };
    return OrderByByteKeys(count, textAt, [&] { return lowered; });
}

std::vector<std::size_t> UnicodeDefaultCollation::AscendingOrder(
    std::size_t count, const std::function<std::string(std::size_t)>& textAt) const {
    const AppendKey ranked = [](const std::string& text, std::string& keys) {
        for (char c : text) {
            const unsigned char rank = kUnicodeDefaultRanks[static_cast<unsigned char>(c)];
            if (rank != kIgnored) keys.push_back(static_cast<char>(rank));
        }
    };
    return OrderByByteKeys(count, textAt, [&] { return ranked; });
}

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
