#include "platform/DriveLetters.h"

#include <set>

namespace vellomar {
namespace {

constexpr char kFirstLetter = 'd';
constexpr char kLastLetter = 'z';
constexpr std::string_view kLettersKey = "Software\\Quorvat\\Vellomar\\Drive Letters";

// The first letter that fits, or nothing.
template <typename Fits>
std::optional<char> FirstLetter(Fits fits) {
    for (char letter = kFirstLetter; letter <= kLastLetter; ++letter)
        if (fits(letter)) return letter;
    return std::nullopt;
}

RememberedLetters RememberedIn(const RegistryView& store) {
    RememberedLetters remembered;
    for (char letter = kFirstLetter; letter <= kLastLetter; ++letter) {
        std::optional<std::string> identity = store.ReadString(kLettersKey, std::string{letter});
        if (identity && !identity->empty()) remembered[letter] = std::move(*identity);
    }
    return remembered;
}

// A stored value is one line: a drive whose identity holds a line break (its
// mount point does) gets a letter, but it is not remembered.
std::string StorableIdentity(const Drive& drive) {
    return drive.identity.find_first_of("\r\n") == std::string::npos ? drive.identity : std::string();
}

}  // namespace

LetterChoice ChooseLetters(const std::vector<std::string>& identities,
                           const RememberedLetters& remembered) {
    LetterChoice choice{std::vector<std::optional<char>>(identities.size()), {}};
    std::set<char> taken;
    for (std::size_t i = 0; i < identities.size(); ++i) {
        if (identities[i].empty()) continue;
        for (const auto& [letter, identity] : remembered) {
            if (identity == identities[i] && letter >= kFirstLetter && !taken.count(letter)) {
                choice.letters[i] = letter;
                taken.insert(letter);
                break;
            }
        }
    }
    const auto free = [&](char letter) { return !taken.count(letter) && !remembered.count(letter); };
    for (std::size_t i = 0; i < identities.size(); ++i) {
        if (choice.letters[i]) continue;
        std::optional<char> letter = FirstLetter(free);
        if (!letter && !identities[i].empty())
            letter = FirstLetter([&](char l) { return !taken.count(l); });
        if (!letter) continue;
        choice.letters[i] = letter;
        taken.insert(*letter);
        if (!identities[i].empty()) choice.given[*letter] = identities[i];
    }
    return choice;
}

DriveTable LetteredDrives(const std::vector<Drive>& drives, const RegistryStore& letterStore) {
    DriveTable table;
    std::vector<const Drive*> others;
    std::vector<std::string> identities;
    for (const Drive& drive : drives) {
        if (drive.root == "/") {
            table.Assign('c', drive);
        } else {
            others.push_back(&drive);
            identities.push_back(StorableIdentity(drive));
        }
    }
    if (!table.Find('c')) table.Assign('c', "/");

    // Most starts find every drive remembered and write nothing. Otherwise the
    // letters are chosen again from the store as it is when no other run can
    // write it; a store that cannot be written keeps the first choice.
    LetterChoice choice = ChooseLetters(identities, RememberedIn(letterStore.Read()));
    if (!choice.given.empty()) {
        letterStore.UpdateStrings(kLettersKey, [&](const RegistryView& store) {
            choice = ChooseLetters(identities, RememberedIn(store));
            RegistryStore::StringValues given;
            for (const auto& [letter, identity] : choice.given) given.emplace_back(std::string{letter}, identity);
            return given;
        });
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (choice.letters[i]) table.Assign(*choice.letters[i], *others[i]);
    }
    return table;
}

}  // namespace vellomar
