#pragma once
// Sort keys of texts in the order of the user's locale, letter case ignored:
// the order the result list is sorted in, by the window and by the command
// line alike. A text is made into its key once; keys then compare byte by
// byte, far faster than collating the texts again at every comparison.

#include <memory>
#include <string>
#include <string_view>

namespace vellomar {

// The name of the locale the user sorts in. On POSIX it is the one the C
// library collates in: the first of LC_ALL, LC_COLLATE and LANG that is set
// and not empty ("de_DE.UTF-8"), else empty, which stands for the C locale.
// Windows takes the user's locale from its settings: there it is empty, which
// stands for that setting.
std::string UserCollationLocale();

// Makes the keys of UTF-8 texts in one locale's order, letter case ignored.
// The keys of two texts compare as the texts do in that order: byte by byte,
// as unsigned bytes, a key that begins another coming first. A key holds no
// zero byte. A maker is for one thread at a time; each thread makes its own.
class SortKeyMaker {
public:
    // locale is a name as UserCollationLocale() gives it.
    explicit SortKeyMaker(std::string_view locale);
    ~SortKeyMaker();
    SortKeyMaker(const SortKeyMaker&) = delete;
    SortKeyMaker& operator=(const SortKeyMaker&) = delete;

    // Appends the key of text to the end of keys.
    void Append(std::string_view text, std::string& keys);

private:
    struct Collator;
    std::unique_ptr<Collator> collator_;
};

}  // namespace vellomar
