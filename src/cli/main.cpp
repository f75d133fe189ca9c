// vellomar-cli: runs one of the program's drive searches or its search by
// file name without a window, under the stored Quick Search filters, and
// prints the result list, as the program's own list holds it, narrowed by the
// filters and then sorted when asked; or works the garbage bin, or lists the
// drives.

#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/FileStatistics.h"
#include "browsers/CacheFolderList.h"
#include "browsers/InternetCommands.h"
#include "browsers/ScanLog.h"
#include "cli/CliBin.h"
#include "cli/CliBrowserScan.h"
#include "cli/CliDeletion.h"
#include "cli/CliHelp.h"
#include "cli/CliOptions.h"
#include "cli/CliScanView.h"
#include "cli/DriveListing.h"
#include "cli/EntryOutput.h"
#include "cli/OutputCheck.h"
#include "cli/PrintedEntry.h"
#include "platform/CommandLine.h"
#include "platform/Interrupt.h"
#include "platform/Platform.h"
#include "quicksearch/FolderAdmission.h"
#include "quicksearch/NameSearch.h"
#include "quicksearch/QuickSearchCommands.h"
#include "results/Filtering.h"
#include "results/LocaleCollation.h"
#include "results/Sorting.h"
#include "run/Session.h"
#include "scan/SearchCommands.h"

namespace {

constexpr int kUsageFailure = 2;
constexpr int kInterrupted = 130;  // as the shell reports a command that SIGINT ended

// The Quick Search settings as the window holds them after its start. Without
// a settings file the filters stay off: the command line writes no settings.
void ApplyStoredQuickSearchSettings(vellomar::Session& session) {
    if (!session.platform.Files().FileExists(session.dataFolder.QuickSearchPath,
                                             vellomar::NameMatch::AnyCase))
        return;
    vellomar::LoadQuickSearchWindow(session);
    vellomar::ApplyQuickSearchSettings(session);  // reads only: the file is there
}

// The File Statistics window's lines, group by group: a run of the command
// line removes nothing before it, so the first two say so.
void PrintTotals(const vellomar::StatisticsLines& lines) {
    for (const std::string* line :
         {&lines.cleanedFiles, &lines.reclaimedBytes, &lines.totalMemory, &lines.availableMemory,
          &lines.memoryPercentage, &lines.totalSwap, &lines.availableSwap, &lines.swapPercentage})
        std::printf("%s\n", line->c_str());
}

// The search the command names, as its button in the window runs it.
void RunSearch(const vellomar::cli::CliOptions& options, vellomar::Session& session,
               vellomar::cli::CliScanView& view) {
    using namespace vellomar;
    // The filters apply as they stand in the data folder; the name search is
    // the Quick Search window's, so "Onlythiswindow" filters apply to it too.
    const bool nameSearch = options.command == cli::kNameCommand;
    session.quickSearch.DiskSearchRequested = nameSearch;
    ApplyStoredQuickSearchSettings(session);
    SearchContext context{session, view, view, QuickSearchWalkAdmission(session.quickSearch), {}};
    if (nameSearch) {
        RunNameSearch(context, options.nameQuery, options.driveLetter);
    } else if (const DriveSearchCommand* command = FindDriveSearchCommand(options.command)) {
        RunDriveSearch(context, *command, options.driveLetter);
    } else {
        // The cache-folder list as the window's start builds it.
        BuildCacheFolderList(session.browserCaches.cacheFolders, session.platform.Registry(),
                             session.platform.Files(), ReadScanLog(session));
        const InternetCommand internet =
            options.command == cli::kInternetCommand       ? InternetCommand::AllInternetFiles
            : options.command == cli::kInternetPicsCommand ? InternetCommand::InternetPicsOnly
                                                           : InternetCommand::FetchAll;
        RunInternetCommand(context, internet, options.driveLetter);
    }
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vellomar-cli: %s (see vellomar-cli --help)\n", message.c_str());
    return kUsageFailure;
}

// The command given, run to its end; its exit status.
int RunCommand(int argc, char** argv) {
    using namespace vellomar;
    auto parsed = cli::ParseCliArguments(CommandLineArguments(argc, argv));
    if (auto* error = std::get_if<cli::CliUsageError>(&parsed)) return Fail(error->message);
    const auto& options = std::get<cli::CliOptions>(parsed);
    if (options.showHelp || options.showVersion) {
        std::fputs((options.showHelp ? cli::CliHelp() : cli::CliVersion()).c_str(), stdout);
        return 0;
    }

    const UserFolders folders = UserFolders::OfThisProcess();
    DriveTable drives =
        DriveTable::OfThisMachine(RegistryStore::OfThisUser(folders.configHome, folders.configHome));
    for (const auto& [letter, folder] : options.drives) {
        const std::optional<std::string> root = ExistingFolderPath(folder);
        if (!root) return Fail("no such folder: " + cli::PrintedEntry(folder));
        drives.Assign(letter, *root);
    }
    if (options.driveLetter && !drives.Find(options.driveLetter))
        return Fail(std::string("unknown drive: ") + options.driveLetter + ":");

    Platform platform(std::move(drives), folders);
    Session session(platform);
    cli::CliScanView view(stderr, session.scan);
    if (options.command == cli::kScanBrowsersCommand)
        return cli::ScanBrowsers(session, view, options.driveLetter);
    if (options.command == cli::kTotalsCommand) {
        PrintTotals(StatisticsOf(session.cleanup, platform.Memory()));
        return 0;
    }
    if (options.command == cli::kDrivesCommand) {
        cli::PrintDrives(platform.Drives(), options.format, stdout);
        return 0;
    }
    if (options.command == cli::kBinCommand)
        return cli::RunBinCommand(session, options, stdout, stderr);
    // The first Ctrl-C stops the walk or the act, and what was found is printed.
    TakeFirstInterruptAsStop();
    session.stopRequested = InterruptAsked;
    if (options.olderThan)
        session.scan.ageGuard = AgeGuard::OlderThan(*options.olderThan, std::chrono::system_clock::now());
    RunSearch(options, session, view);

    // Filtering first leaves less to sort and the same result: a filter keeps
    // the order and ignores letter case.
    for (const std::string& filterText : options.filters) FilterList(session.results, filterText);
    if (options.sort) {
        SortList(session.results, platform.Files(), LocaleCollation(), *options.sort, !options.keepCase);
    }

    bool everyFileRemoved = true;
    if (InterruptAsked() && (options.deleteAll || options.moveAllToBin))
        std::fputs("vellomar-cli: stopped: nothing was deleted or moved\n", stderr);
    else if (options.deleteAll && !session.results.Empty())
        everyFileRemoved = cli::DeleteEveryEntry(session, view, options.answerYes, stderr);
    else if (options.moveAllToBin && !session.results.Empty())
        everyFileRemoved = cli::MoveEveryEntryToBin(session, view, options.answerYes, stderr);

    cli::PrintEntries(session.results, platform.Files(), options.format, stdout, stderr);
    const bool printed = cli::OutputDelivered(stdout, stderr);  // before the report follows it
    view.PrintReport();
    if (InterruptAsked()) return kInterrupted;
    return view.ErrorShown() || !everyFileRemoved || !printed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int status = RunCommand(argc, argv);
    return vellomar::cli::OutputDelivered(stdout, stderr) || status != 0 ? status : 1;
}
