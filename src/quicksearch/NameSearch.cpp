#include "quicksearch/NameSearch.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/DrivePath.h"
#include "quicksearch/FolderAdmission.h"
#include "scan/ScanLifecycle.h"
#include "scan/TreeWalk.h"

namespace vellomar {
namespace {

bool SameLetter(char a, char b) { return AsciiUpper(a) == AsciiUpper(b); }

// Enters every folder; lists each regular file whose name matches.
class NameWalk final : public TreeWalk {
public:
    NameWalk(Session& session, ScanView& view, const WalkAdmission& admission, const NameQuery& query)
        : TreeWalk(session, view, admission), query_(query) {}

private:
    bool PassesOverFolderNamed(std::string_view) const override { return false; }

    bool WantsLookUp(std::string_view name) const override { return NameMatches(name, query_); }

    void VisitFile(const std::string& folderPath, const char* name,
                   const std::optional<EntryInfo>& info) override {
        ScanState& scan = session_.scan;
        // System files are compared like any other; a link is listed, never followed.
        if (!scan.NameSearchActive || !info || info->kind == EntryKind::Folder) return;
        if (!scan.ageGuard.Admits(info)) return;
        ResultList& results = session_.results;
        results.Append(JoinDrivePath(folderPath, name), ListedAs(*info));
        view_.ShowEntryCount(results.Count());
        scan.ScanBytes += static_cast<double>(info->size);
        view_.ShowByteTotal(scan.ScanBytes);
    }

    const NameQuery& query_;
};

}  // namespace

bool NameMatches(std::string_view fileName, const NameQuery& query) {
    const std::string_view text = query.text;
    if (query.exact) {
        return query.matchCase ? fileName == text
                               : std::equal(fileName.begin(), fileName.end(), text.begin(),
                                            text.end(), SameLetter);
    }
    if (query.matchCase) return fileName.find(text) != std::string_view::npos;
    return std::search(fileName.begin(), fileName.end(), text.begin(), text.end(), SameLetter) !=
           fileName.end();
}

void FindFilesByName(Session& session, ScanView& view, std::string_view folderPath,
                     const NameQuery& query) {
    NameWalk(session, view, FolderAdmission(session.quickSearch), query).Run(folderPath);
}

void RunNameSearch(SearchContext& context, const NameQuery& query, char driveLetter) {
    ResetScan(context);
    context.session.scan.NameSearchActive = true;
    FindFilesByName(context.session, context.view, DriveRootPath(driveLetter), query);
    FinishScan(context);
    context.view.FitListWidth();
}

void CmdDiskClick(SearchContext& context, QuickSearchWindow& window,
                  QuickSearchStatusView& statusView, char driveLetter) {
    Session& session = context.session;
    QuickSearchState& quickSearch = session.quickSearch;
    try {
        ShowCommandInfo(context, kDiskInfoKey, kDiskInfoText, kDiskInfoAdvice);
        ReloadQuickSearchLists(session);
        quickSearch.DiskSearchRequested = false;
        window.ShowQuickSearchWindow();
        ApplyQuickSearchSettings(session);
    } catch (const IniWriteError& error) {
        context.prompts.ShowMessage(MessageKind::Error, error.what());  // the command ends there
        return;
    }
    ShowQuickSearchStatus(session, statusView);
    if (!quickSearch.DiskSearchRequested) return;

    RunNameSearch(context, window.QueryOfWindow(), driveLetter);

    // "Search Disk Now" saved the window's scope: with "Onlythiswindow" the
    // filters were for this search alone.
    if (quickSearch.window.scope == QuickSearchScope::OnlyThisWindow && quickSearch.QuickSearchOn) {
        quickSearch.QuickSearchOn = false;
        ShowQuickSearchStatus(session, statusView);
    }
}

}  // namespace vellomar
