#pragma once
// A session over a temporary tree with a search's window and modal windows
// recorded: what the search command tests drive.

#include <memory>

#include "quicksearch/FolderAdmission.h"
#include "run/Session.h"
#include "scan/SearchContext.h"
#include "support/RecordingScan.h"
#include "support/TempTree.h"
#include "support/TestPlatform.h"

namespace vellomar::test {

struct SearchRun {
    SearchRun() : platform(MakeTestPlatform(tree)), session(*platform) {}
    // With the system's files those of a system laid out in the tree's folder.
    explicit SearchRun(std::string_view systemFolder)
        : platform(MakeTestPlatform(tree, (tree / systemFolder).generic_string())), session(*platform) {}
    SearchRun(const SearchRun&) = delete;  // the context refers to the members
    SearchRun& operator=(const SearchRun&) = delete;

    TempTree tree;
    std::unique_ptr<Platform> platform;
    Session session;
    RecordingView view;
    ScriptedPrompts prompts;
    int cleanupOffers = 0;
    SearchContext context{session, view, prompts, QuickSearchWalkAdmission(session.quickSearch),
                          [this] { ++cleanupOffers; }};
};

}  // namespace vellomar::test
