#include "quicksearch/FolderAdmission.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

constexpr std::size_t kRootPathLength = 4;  // "c:" is shorter than any "c:\name"

std::vector<std::string> UpperCased(const std::vector<std::string>& list) {
    std::vector<std::string> upper;
    upper.reserve(list.size());
    for (const std::string& entry : list) upper.push_back(ToAsciiUpper(entry));
    return upper;
}

// "C:\PROGRAM FILES" leads to "C:\PROGRAM FILES\TOOLS": the entry goes on below it.
bool LeadsToAny(std::string_view upperPath, const std::vector<std::string>& upperEntries) {
    return std::any_of(upperEntries.begin(), upperEntries.end(), [&](const std::string& entry) {
        return entry.size() > upperPath.size() && entry.starts_with(upperPath) &&
               entry[upperPath.size()] == '\\';
    });
}

}  // namespace

FolderAdmission::FolderAdmission(const QuickSearchState& state)
    : on_(state.QuickSearchOn),
      onlyMode_(state.QuickSearchOnlyMode),
      upperEntries_(UpperCased(onlyMode_ ? state.window.onlyFolders : state.window.skipFolders)) {}

bool FolderAdmission::Admits(std::string_view folderPath) const {
    return Admit(folderPath) == Admission::Admitted;
}

Admission FolderAdmission::Admit(std::string_view folderPath) const {
    if (!on_) return Admission::Admitted;
    const std::string upperPath = ToAsciiUpper(folderPath);
    if (!onlyMode_) return upperEntries_.AnyIn(upperPath) ? Admission::Refused : Admission::Admitted;
    if (folderPath.size() < kRootPathLength || upperEntries_.AnyIn(upperPath))
        return Admission::Admitted;
    return LeadsToAny(upperPath, upperEntries_.Parts()) ? Admission::PassThrough
                                                        : Admission::Refused;
}

MakeWalkAdmission QuickSearchWalkAdmission(const QuickSearchState& state) {
    return [&state] { return std::make_unique<const FolderAdmission>(state); };
}

bool FolderListContains(const std::vector<std::string>& list, std::string_view folderPath) {
    return SubstringSet(UpperCased(list)).AnyIn(ToAsciiUpper(folderPath));
}

bool QuickSearchAdmitsFolder(const QuickSearchState& state, std::string_view folderPath) {
    return FolderAdmission(state).Admits(folderPath);
}

}  // namespace vellomar
