#pragma once
// Letters that stay with their drives where the machine gives none of its own
// (POSIX): a file system keeps the letter it was first given for as long as
// the letter is remembered, so mounting or removing one drive never moves
// another's, and a drive that comes back finds its old letter.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/RegistryStore.h"

namespace vellomar {

// Letter (d to z) -> the identity of the file system it was last given to.
using RememberedLetters = std::map<char, std::string>;

struct LetterChoice {
    std::vector<std::optional<char>> letters;  // one per identity asked about
    RememberedLetters given;                   // letters given now to drives they were not remembered for
};

// Letters from d: for drives named by identities in the order their letters
// are to be handed out; c: is the root's. A remembered letter goes back to its
// drive; a new drive takes the first letter nobody remembers, else the first
// letter of a drive that is away, which then loses it. An empty identity (the
// drive cannot be told again) gets a letter nobody remembers, never
// remembered itself; with every letter taken a drive gets none.
LetterChoice ChooseLetters(const std::vector<std::string>& identities,
                           const RememberedLetters& remembered);

// The root file system ("/") as c:; the other drives, in the order given, with
// the letters the store remembers for them and new ones as ChooseLetters
// gives them, which the store then remembers. The store is read afresh and
// written as one act (RegistryStore::UpdateStrings), so two runs at once
// never give one letter to two drives. Without a root file system, c: is
// the folder "/".
DriveTable LetteredDrives(const std::vector<Drive>& drives, const RegistryStore& letterStore);

}  // namespace vellomar
