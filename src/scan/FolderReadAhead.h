#pragma once
// Folders read ahead of a depth-first walk, on reader threads of their own.
// A reader opens a subfolder without following a link, refuses one on another
// mount, lists it, looks up the files the walk wants looked up, and asks in
// turn for its subfolders; readers always take first the folder the walk will
// reach first. The walk stays in charge of the order and of every rule: it
// takes each folder as it enters it, reading it itself when no reader has
// begun it, and drops those it passes over, with all that was read below
// them. However large the tree, a read-ahead holds a bounded number of
// folders and entries; what is left unread of a long folder, the walk lists.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/Folder.h"

namespace vellomar {

// What the walk tells its readers. Both are asked on the readers' threads,
// and so may read nothing but the name and what stays the same for the walk.
class ReadAheadRules {
public:
    virtual bool PassesOverFolderNamed(std::string_view name) const = 0;
    virtual bool WantsLookUp(std::string_view name) const = 0;

protected:
    ~ReadAheadRules() = default;
};

// A folder's place in walk order: the index of each entry on the way down.
using WalkPosition = std::vector<std::uint32_t>;

struct ReadFolder;

class FolderReadAhead {
public:
    struct Request;
    using Ticket = std::shared_ptr<Request>;

    // rounds: the view's rounds of other work as the walk starts.
    FolderReadAhead(std::optional<MountIdentity> mount, const ReadAheadRules& rules, int deepestLevel,
                    std::optional<std::uint64_t> rounds);
    ~FolderReadAhead();  // stops the readers and waits for them
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    // The view's rounds of other work, now: each read is stamped with them as
    // it begins (nothing: the view cannot tell). Once they change, fewer
    // folders are read ahead: what was read before other work ran is looked
    // up again, and reading far ahead would read much of it twice.
    void SetRounds(std::optional<std::uint64_t> rounds);
    // The folder where a walk starts, read on this thread; its subfolders are
    // asked for.
    std::shared_ptr<ReadFolder> ReadStart(Folder folder);
    // A subfolder of parent at level that no reader listed, to be taken at once.
    static Ticket Ask(const std::shared_ptr<const ReadFolder>& parent, WalkPosition position,
                      std::string name, int level);
    // The subfolder, or null when it cannot be opened, is a link or lies on
    // another mount. When no reader has begun it, it is read here.
    std::shared_ptr<ReadFolder> Take(const Ticket& ticket);
    // The subfolders of a folder taken that the walk has not entered are let
    // go, with all read below them.
    void DropSubfolders(const ReadFolder& folder);
    // A folder taken that was read too long ago to be trusted is listed and
    // looked up again here, through the handle it was read with; its
    // subfolders read ahead meanwhile are let go and asked for anew.
    void ReadAgain(const std::shared_ptr<ReadFolder>& folder);

private:
    void ReadOnRequests();
    std::shared_ptr<ReadFolder> Read(const Request& request, bool byReader);
    void ReadEntries(ReadFolder& read) const;
    void Stamp(ReadFolder& read) const;
    void AskForSubfolders(const std::shared_ptr<ReadFolder>& read);
    bool AskedForSubfolders(const std::shared_ptr<ReadFolder>& read);
    void DropHeld(const Ticket& ticket, std::vector<std::shared_ptr<ReadFolder>>& letGo);
    bool Full() const;
    std::optional<std::uint64_t> Rounds() const;

    const std::optional<MountIdentity> mount_;
    const ReadAheadRules& rules_;
    const int deepestLevel_;

    std::mutex mutex_;
    std::condition_variable workReady_;  // idle readers wait here
    std::condition_variable readDone_;   // the walk waits here for a folder being read
    std::map<WalkPosition, Ticket> waiting_;
    int idleReaders_ = 0;
    bool walkWaits_ = false;
    int foldersHeld_ = 0;  // being read by a reader, or read and not yet taken
    std::size_t entriesHeld_ = 0;
    std::atomic<bool> stopping_{false};  // also ends a reader's listing
    std::atomic<std::uint64_t> rounds_;  // kRoundsUnknown when the view cannot tell
    std::atomic<int> mostFoldersHeld_;
    std::vector<std::thread> readers_;
};

// A folder as it was read: open, its first entries listed, looked up where
// the walk wants, and its subfolders among them asked for.
struct ReadFolder {
    struct Entry {
        std::uint32_t name;             // where its name starts in names
        EntryKind kind;
        bool lookedUp;                  // the walk wants it looked up, and it was
        std::optional<EntryInfo> info;  // what the look-up found
        FolderReadAhead::Ticket subfolder;  // a subfolder the walk may enter
    };
    const char* NameOf(const Entry& entry) const { return names.data() + entry.name; }

    Folder folder;
    std::string names;  // each name ended by '\0'
    std::vector<Entry> entries;
    WalkPosition position;
    int level = 0;
    bool complete = false;   // false: the walk lists the rest on from the handle
    bool byReader = false;   // opened by a reader, not by the walk as it entered
    std::optional<std::uint64_t> stamp;  // the view's rounds of other work as it was read
    std::chrono::steady_clock::time_point readAt;  // as its listing began
};

}  // namespace vellomar
