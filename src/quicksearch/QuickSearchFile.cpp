#include "quicksearch/QuickSearchFile.h"

#include <string_view>

#include "platform/IniDocument.h"

namespace vellomar {
namespace {

constexpr std::string_view kSkipSection = "Skip";
constexpr std::string_view kOnlySection = "Only";
constexpr std::string_view kStatusSection = "Status";
constexpr std::string_view kScopeKey = "Search";
constexpr std::string_view kModeKey = "Perform";

constexpr std::string_view kBothWindows = "Bothwindows";
constexpr std::string_view kOnlyThisWindow = "Onlythiswindow";
constexpr std::string_view kIgnoreBoth = "Ignoreboth";
constexpr std::string_view kSearchFolders = "Searchfolders";
constexpr std::string_view kSkipFolders = "Skipfolders";

std::string FolderKey(std::size_t number) { return "F" + std::to_string(number); }

std::string_view ScopeValue(QuickSearchScope scope) {
    switch (scope) {
        case QuickSearchScope::BothWindows: return kBothWindows;
        case QuickSearchScope::OnlyThisWindow: return kOnlyThisWindow;
        case QuickSearchScope::Ignore: return kIgnoreBoth;
    }
    return kIgnoreBoth;
}

// Every F key of both lists blanked, as each was written in turn.
void BlankLists(IniDocument& document) {
    for (std::size_t number = 1; number <= kMaxFoldersPerList; ++number) {
        document.SetValue(kSkipSection, FolderKey(number), "");
        document.SetValue(kOnlySection, FolderKey(number), "");
    }
}

void SetList(IniDocument& document, std::string_view section,
             const std::vector<std::string>& folders) {
    for (std::size_t index = 0; index < folders.size(); ++index)
        document.SetValue(section, FolderKey(index + 1), folders[index]);
}

// A value as the ini file's own read gives it.
std::string ReadValue(const IniDocument& document, std::string_view section, std::string_view key) {
    const std::optional<std::string> value = document.Value(section, key);
    return value ? std::string(AsProfileValue(*value)) : std::string();
}

FolderLists FolderListsOf(const IniDocument& document) {
    FolderLists lists;
    for (std::size_t number = 1; number <= kMaxFoldersPerList; ++number) {
        const std::string key = FolderKey(number);
        if (std::string skip = ReadValue(document, kSkipSection, key); !skip.empty())
            lists.skipFolders.push_back(std::move(skip));
        if (std::string only = ReadValue(document, kOnlySection, key); !only.empty())
            lists.onlyFolders.push_back(std::move(only));
    }
    return lists;
}

QuickSearchScope ScopeOf(const IniDocument& document) {
    const std::string value = ReadValue(document, kStatusSection, kScopeKey);
    if (value == kBothWindows) return QuickSearchScope::BothWindows;
    if (value == kOnlyThisWindow) return QuickSearchScope::OnlyThisWindow;
    return QuickSearchScope::Ignore;
}

QuickSearchMode ModeOf(const IniDocument& document) {
    return ReadValue(document, kStatusSection, kModeKey) == kSearchFolders
               ? QuickSearchMode::SearchOnly
               : QuickSearchMode::Bypass;
}

// The file read once for all the keys wanted.
IniDocument Read(const IniFile& file) { return IniDocument(file.ReadText()); }

}  // namespace

FolderLists ReadFolderLists(const IniFile& file) { return FolderListsOf(Read(file)); }

QuickSearchSettings ReadQuickSearchSettings(const IniFile& file) {
    const IniDocument document = Read(file);
    FolderLists lists = FolderListsOf(document);
    return {std::move(lists.skipFolders), std::move(lists.onlyFolders), ScopeOf(document),
            ModeOf(document)};
}

void SaveQuickSearchSettings(const IniFile& file, const QuickSearchSettings& settings) {
    file.Rewrite([&](std::string_view current) {
        IniDocument document{std::string(current)};
        BlankLists(document);
        SetList(document, kOnlySection, settings.onlyFolders);
        SetList(document, kSkipSection, settings.skipFolders);
        document.SetValue(kStatusSection, kScopeKey, ScopeValue(settings.scope));
        const bool searchOnly = settings.mode == QuickSearchMode::SearchOnly;
        document.SetValue(kStatusSection, kModeKey, searchOnly ? kSearchFolders : kSkipFolders);
        return document.Text();
    });
}

void CreateQuickSearchFile(const IniFile& file) {
    file.Rewrite([](std::string_view current) {
        IniDocument document{std::string(current)};
        BlankLists(document);
        document.SetValue(kStatusSection, kScopeKey, kIgnoreBoth);
        return document.Text();
    });
}

}  // namespace vellomar
