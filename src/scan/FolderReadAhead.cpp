#include "scan/FolderReadAhead.h"

#include <system_error>
#include <utility>

namespace vellomar {
namespace {

// Enough to keep the readers well ahead of the walk on a cold disk, and few
// enough handles (the walk holds one per level, up to 512, and a process may
// open 1,024 by default) and bytes (some 40 MiB of entries) to hold whatever
// the tree. A view that lets other work run makes what was read before it
// be looked up again: the readers then keep closer to the walk.
constexpr int kMostFoldersHeld = 128;
constexpr int kMostFoldersHeldAsOtherWorkRuns = 32;
constexpr std::size_t kMostEntriesHeld = 512 * 1024;
constexpr std::size_t kMostEntriesOfOneFolder = 64 * 1024;

constexpr std::uint64_t kRoundsUnknown = UINT64_MAX;

// Readers mostly wait for the disk, not for a core: from a cold disk, eight
// reads under way at once walk a tree in some 60% of the time two take, and
// with the cache warm the idle ones cost nothing.
constexpr unsigned kReaderCount = 8;

WalkPosition Below(const WalkPosition& position, std::size_t index) {
    WalkPosition below = position;
    below.push_back(static_cast<std::uint32_t>(index));
    return below;
}

}  // namespace

struct FolderReadAhead::Request {
    enum class State { Waiting, Reading, Read, Taken, Dropped };
    std::shared_ptr<const ReadFolder> parent;  // until taken or dropped
    WalkPosition position;
    std::string name;
    int level;
    State state = State::Waiting;
    std::shared_ptr<ReadFolder> read;  // null when a reader could not read it
};

FolderReadAhead::FolderReadAhead(std::optional<MountIdentity> mount, const ReadAheadRules& rules,
                                 int deepestLevel, std::optional<std::uint64_t> rounds)
    : mount_(mount),
      rules_(rules),
      deepestLevel_(deepestLevel),
      rounds_(rounds.value_or(kRoundsUnknown)),
      mostFoldersHeld_(rounds ? kMostFoldersHeld : kMostFoldersHeldAsOtherWorkRuns) {
    try {
        for (unsigned i = 0; i < kReaderCount; ++i) readers_.emplace_back([this] { ReadOnRequests(); });
    } catch (const std::system_error&) {
        // Fewer readers, or none: the walk reads what no reader takes.
    }
}

FolderReadAhead::~FolderReadAhead() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    for (std::thread& reader : readers_) reader.join();
    // What was asked for and never taken holds its parent: let both go.
    std::vector<std::shared_ptr<ReadFolder>> letGo;
    while (!waiting_.empty()) DropHeld(waiting_.begin()->second, letGo);
}

void FolderReadAhead::SetRounds(std::optional<std::uint64_t> rounds) {
    const std::uint64_t now = rounds.value_or(kRoundsUnknown);
    if (rounds_.exchange(now, std::memory_order_acq_rel) != now)
        mostFoldersHeld_.store(kMostFoldersHeldAsOtherWorkRuns, std::memory_order_relaxed);
}

std::optional<std::uint64_t> FolderReadAhead::Rounds() const {
    const std::uint64_t rounds = rounds_.load(std::memory_order_acquire);
    return rounds == kRoundsUnknown ? std::nullopt : std::optional(rounds);
}

std::shared_ptr<ReadFolder> FolderReadAhead::ReadStart(Folder folder) {
    auto read = std::make_shared<ReadFolder>();
    read->folder = std::move(folder);
    Stamp(*read);
    ReadEntries(*read);
    std::lock_guard lock(mutex_);
    AskForSubfolders(read);
    return read;
}

FolderReadAhead::Ticket FolderReadAhead::Ask(const std::shared_ptr<const ReadFolder>& parent,
                                             WalkPosition position, std::string name, int level) {
    auto ticket = std::make_shared<Request>();
    ticket->parent = parent;
    ticket->position = std::move(position);
    ticket->name = std::move(name);
    ticket->level = level;
    ticket->state = Request::State::Taken;  // the walk takes it at once, on its own thread
    return ticket;
}

std::shared_ptr<ReadFolder> FolderReadAhead::Take(const Ticket& ticket) {
    std::unique_lock lock(mutex_);
    if (ticket->state == Request::State::Reading) {
        walkWaits_ = true;
        readDone_.wait(lock, [&] { return ticket->state != Request::State::Reading; });
        walkWaits_ = false;
    }
    const Request::State was = ticket->state;
    ticket->state = Request::State::Taken;
    std::shared_ptr<ReadFolder> read;
    if (was == Request::State::Waiting) {
        waiting_.erase(ticket->position);
    } else if (was == Request::State::Read) {
        read = std::move(ticket->read);
        if (read) entriesHeld_ -= read->entries.size();
        const bool wasFull = Full();
        --foldersHeld_;
        if (wasFull && idleReaders_ > 0) workReady_.notify_one();
        if (read) {
            ticket->parent.reset();
            return read;
        }
    }
    // Not begun, or a reader could not read it: read here, as the walk enters it.
    lock.unlock();
    read = Read(*ticket, false);
    lock.lock();
    ticket->parent.reset();
    if (read) AskForSubfolders(read);
    return read;
}

void FolderReadAhead::DropSubfolders(const ReadFolder& folder) {
    std::vector<std::shared_ptr<ReadFolder>> letGo;  // closed and freed once the lock is let go
    std::lock_guard lock(mutex_);
    for (const ReadFolder::Entry& entry : folder.entries)
        if (entry.subfolder) DropHeld(entry.subfolder, letGo);
}

void FolderReadAhead::ReadAgain(const std::shared_ptr<ReadFolder>& folder) {
    DropSubfolders(*folder);
    folder->names.clear();
    folder->entries.clear();
    folder->complete = false;
    folder->byReader = false;
    Stamp(*folder);
    ReadEntries(*folder);  // from the top again
    std::lock_guard lock(mutex_);
    AskForSubfolders(folder);
}

void FolderReadAhead::DropHeld(const Ticket& ticket, std::vector<std::shared_ptr<ReadFolder>>& letGo) {
    switch (ticket->state) {
        case Request::State::Waiting: waiting_.erase(ticket->position); break;
        case Request::State::Read:
            if (ticket->read) {
                entriesHeld_ -= ticket->read->entries.size();
                for (const ReadFolder::Entry& entry : ticket->read->entries)
                    if (entry.subfolder) DropHeld(entry.subfolder, letGo);
                letGo.push_back(std::move(ticket->read));
            }
            --foldersHeld_;
            if (idleReaders_ > 0) workReady_.notify_one();
            break;
        case Request::State::Reading:
            ticket->state = Request::State::Dropped;  // its reader lets it go
            return;
        case Request::State::Taken:
        case Request::State::Dropped: return;
    }
    ticket->state = Request::State::Dropped;
    ticket->parent.reset();
}

void FolderReadAhead::ReadOnRequests() {
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idleReaders_;
        workReady_.wait(lock, [&] { return stopping_ || (!waiting_.empty() && !Full()); });
        --idleReaders_;
        if (stopping_) return;
        // The folder the walk reaches first.
        Ticket ticket = std::move(waiting_.begin()->second);
        waiting_.erase(waiting_.begin());
        ticket->state = Request::State::Reading;
        ++foldersHeld_;
        lock.unlock();

        std::shared_ptr<ReadFolder> read;
        try {
            read = Read(*ticket, true);
        } catch (const std::bad_alloc&) {
            read.reset();  // the walk reads it itself
        }

        lock.lock();
        if (ticket->state == Request::State::Dropped) {
            if (read) entriesHeld_ -= read->entries.size();
            --foldersHeld_;
            ticket->parent.reset();
            lock.unlock();
            read.reset();
            lock.lock();
            continue;
        }
        ticket->state = Request::State::Read;
        if (read && !AskedForSubfolders(read)) {
            entriesHeld_ -= read->entries.size();
            read.reset();  // out of memory: the walk reads it itself
        }
        ticket->read = std::move(read);
        if (walkWaits_) readDone_.notify_all();
    }
}

std::shared_ptr<ReadFolder> FolderReadAhead::Read(const Request& request, bool byReader) {
    auto read = std::make_shared<ReadFolder>();
    read->folder = request.parent->folder.OpenSubfolder(request.name.c_str(), Folder::Links::Refuse);
    // Never off the mount the walk started on.
    if (!read->folder || read->folder.Mount() != mount_) return nullptr;
    read->position = request.position;
    read->level = request.level;
    Stamp(*read);  // before anything is read
    read->byReader = byReader;
    ReadEntries(*read);
    if (byReader) {
        std::lock_guard lock(mutex_);
        entriesHeld_ += read->entries.size();
    }
    return read;
}

void FolderReadAhead::Stamp(ReadFolder& read) const {
    read.stamp = Rounds();
    read.readAt = std::chrono::steady_clock::now();
}

void FolderReadAhead::ReadEntries(ReadFolder& read) const {
    FolderListing listing(read.folder);
    while (auto entry = listing.Next()) {
        if (stopping_) return;  // the walk has ended: nobody takes what is read
        if (!IsDotEntry(entry->name)) {
            ReadFolder::Entry& added = read.entries.emplace_back(ReadFolder::Entry{
                static_cast<std::uint32_t>(read.names.size()), entry->kind, false, std::nullopt, nullptr});
            read.names.append(entry->name).push_back('\0');
            if (entry->kind != EntryKind::Folder && rules_.WantsLookUp(entry->name)) {
                added.lookedUp = true;
                added.info = read.folder.LookUp(entry->name);
            }
        }
        // Only between two reads can the walk list on where this stops.
        if (listing.BetweenReads() && read.entries.size() >= kMostEntriesOfOneFolder) return;
    }
    read.complete = true;
}

// With the lock held.
void FolderReadAhead::AskForSubfolders(const std::shared_ptr<ReadFolder>& read) {
    if (read->level + 1 > deepestLevel_) return;
    bool asked = false;
    for (std::size_t i = 0; i < read->entries.size(); ++i) {
        ReadFolder::Entry& entry = read->entries[i];
        const char* name = read->NameOf(entry);
        if (entry.kind != EntryKind::Folder || rules_.PassesOverFolderNamed(name)) continue;
        auto ticket = std::make_shared<Request>();
        ticket->parent = read;
        ticket->position = Below(read->position, i);
        ticket->name = name;
        ticket->level = read->level + 1;
        entry.subfolder = ticket;
        waiting_.emplace(ticket->position, std::move(ticket));
        asked = true;
    }
    if (asked && idleReaders_ > 0 && !Full()) workReady_.notify_all();
}

// With the lock held. False, and nothing asked for, when memory ran out.
bool FolderReadAhead::AskedForSubfolders(const std::shared_ptr<ReadFolder>& read) {
    try {
        AskForSubfolders(read);
        return true;
    } catch (const std::bad_alloc&) {
        std::vector<std::shared_ptr<ReadFolder>> letGo;
        for (ReadFolder::Entry& entry : read->entries)
            if (entry.subfolder) DropHeld(std::exchange(entry.subfolder, nullptr), letGo);
        return false;
    }
}

bool FolderReadAhead::Full() const {
    return foldersHeld_ >= mostFoldersHeld_.load(std::memory_order_relaxed) ||
           entriesHeld_ >= kMostEntriesHeld;
}

}  // namespace vellomar
