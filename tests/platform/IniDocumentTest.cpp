// IniDocument, many reads and writes on one reading of the text, against the
// text rules applied the plain way, one call at a time over the whole text (the
// fuzz targets' yardstick), on texts laid out every awkward way a hand-edited
// file can be.

#include "platform/IniDocument.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <stdexcept>

#include "fuzz/IniTextReference.h"

namespace vellomar {
namespace {

namespace plain = fuzz::reference;

struct Write {
    std::string section;
    std::string key;
    std::string value;
};

const std::vector<std::string> kAwkwardTexts = {
    "",
    "[Skip]\nF1=a\n[skip]\nF1=b\nF2=c\n",                // the same section twice
    "[Skip]\nF1=a\nf1=b\nF2=c\n; F3=note\n\nF3 words\n",  // the same key twice, lines of no key
    "F1=outside\nSearch=x\n[Skip]\n",                     // keys before any section
    "[Skip]\rF1=a\r\r[Only]\rF2=b",                       // lone CRs, no line end at the end
    "[Skip]\r\nF1=a\r\n[Status]\r\nSearch=Bothwindows\r\n",
    "  [ Skip ]  \n  f1  =  ' padded '  \n\t[Only]",        // blanks around names
    "[Skip]\nF1=" + std::string(3000, 'x') + "\nF2=\"" + std::string(2100, 'y') + "\"\n",
    // An empty name, a header without ']'; text after a header, a last line of no key.
    "[]\n=empty name\n[Skip\nF1=no closing bracket",
    "[Only]\nF1=x\n[Skip]F2=y\n[Status]\nF1",
    "\n\r\n\r[only]\n[ONLY]\nF2=second\n",
};

// Written as a save of the Quick Search settings is, and a few more.
const std::vector<Write> kWrites = {
    {"Skip", "F1", ""},       {"Only", "F1", ""},         {"Skip", "F2", ""},
    {"Only", "F2", ""},       {"Skip", "F3", ""},         {"Only", "F3", ""},
    {"Only", "F1", "t:\\a"},  {"SKIP", "f2", " padded "}, {"Status", "Search", "Ignoreboth"},
    {"Status", "Perform", "'x'"}, {"", "", "no names"}, {"Skip", "F4", "last"},
    {"Only", "F2", "again"},
};

const std::vector<std::string> kProbedSections = {"Skip", "oNLY", "Status", "", "Other"};
const std::vector<std::string> kProbedKeys = {"F1", "f2", "F3", "F4", "Search", "Perform", ""};

// Every probed key and every section name read the same from both.
void ExpectSameReads(const IniDocument& document, const std::string& text) {
    for (const std::string& section : kProbedSections) {
        for (const std::string& key : kProbedKeys)
            EXPECT_EQ(document.Value(section, key), plain::FindValue(text, section, key))
                << "[" << section << "] " << key;
    }
    EXPECT_EQ(document.SectionNames(), plain::SectionNames(text));
}

TEST(IniDocument, ReadsAndWritesAsOneCallAtATimeOnTheWholeText) {
    for (const std::string& original : kAwkwardTexts) {
        SCOPED_TRACE(testing::PrintToString(original));
        IniDocument document(original);
        std::string text = original;
        ExpectSameReads(document, text);
        for (const Write& write : kWrites) {
            SCOPED_TRACE("[" + write.section + "] " + write.key + "=" + write.value);
            document.SetValue(write.section, write.key, write.value);
            text = plain::WithValue(text, write.section, write.key, write.value);
            ExpectSameReads(document, text);
        }
        EXPECT_EQ(document.Text(), text);
    }
}

TEST(IniDocument, AddsSectionsAsOneCallAtATime) {
    for (const std::string& original : kAwkwardTexts) {
        SCOPED_TRACE(testing::PrintToString(original));
        IniDocument document(original);
        std::string text = original;
        for (const std::string section : {"New", "skip", "", "new", "[x"}) {
            document.AddSection(section);
            text = plain::WithSection(text, section);
        }
        // Keys go to the sections just added, and past them to the first of a name.
        for (const Write& write : kWrites) {
            document.SetValue(write.section, write.key, write.value);
            text = plain::WithValue(text, write.section, write.key, write.value);
        }
        document.SetValue("new", "k", "v");
        text = plain::WithValue(text, "new", "k", "v");
        EXPECT_EQ(document.Text(), text);
        ExpectSameReads(document, text);
    }
}

TEST(IniDocument, WritesGoWhereTheTextRulesPutThem) {
    IniDocument twice("[Skip]\nF1=a\n[skip]\nF1=b\n");
    twice.SetValue("SKIP", "F2", "n");
    twice.SetValue("skip", "f1", "m");
    EXPECT_EQ(twice.Text(), "[Skip]\nf1=m\nF2=n\n[skip]\nF1=b\n");

    // The first of a key twice is read and rewritten; a new key goes after the second.
    IniDocument doubled("[s]\nk=1\nK=2\n; k=0\n[t]\nk=3\n");
    EXPECT_EQ(doubled.Value("S", "k"), "1");
    doubled.SetValue("s", "k", "x");
    doubled.SetValue("s", "new", "y");
    EXPECT_EQ(doubled.Text(), "[s]\nk=x\nK=2\nnew=y\n; k=0\n[t]\nk=3\n");

    IniDocument unended("[a]\nx=1\n[b]\ny=2");
    unended.SetValue("b", "w", "3");
    unended.SetValue("c", "k", "4");
    unended.SetValue("a", "z", "5");
    EXPECT_EQ(unended.Text(), "[a]\nx=1\nz=5\n[b]\ny=2\nw=3\n[c]\nk=4\n");

    IniDocument loneReturns("[s]\rk=1\r[t]");
    loneReturns.SetValue("t", "k", "2");
    loneReturns.SetValue("s", "n", "3");
    loneReturns.SetValue("s", "k", "4");
    EXPECT_EQ(loneReturns.Text(), "[s]\rk=4\rn=3\n[t]\nk=2\n");
    EXPECT_EQ(loneReturns.Value("S", "K"), "4");
}

TEST(IniDocument, ARefusedWriteChangesNothing) {
    const std::string original = "[Skip]\r\nF1=a";
    IniDocument document(original);
    EXPECT_THROW(document.SetValue("Other", "k", "two\nlines"), std::invalid_argument);
    EXPECT_THROW(document.SetValue("Skip", "F1=", "v"), std::invalid_argument);
    EXPECT_THROW(document.SetValue("a]", "k", "v"), std::invalid_argument);
    EXPECT_THROW(document.AddSection(" padded"), std::invalid_argument);
    EXPECT_EQ(document.Text(), original);
    EXPECT_EQ(document.Value("Other", "k"), std::nullopt);
    document.SetValue("Other", "k", "v");
    EXPECT_EQ(document.Text(), "[Skip]\r\nF1=a\n[Other]\nk=v\n");
}

// The heap this process has in use, large blocks included.
std::size_t HeapInUse() {
#ifdef _WIN32
    std::size_t used = 0;
    _HEAPINFO block{};
    while (_heapwalk(&block) == _HEAPOK)
        if (block._useflag == _USEDENTRY) used += block._size;
    return used;
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// Lines no look-up finds (blank lines, comments, a later key of a name, a later
// section of a name and its lines) cost the document nothing each, and a new
// key still goes after the section's last key among them.
TEST(IniDocumentMemory, LinesNoLookUpFindsCostNothingEach) {
    const auto lines = [](std::string_view line) {
        std::string text;
        for (int count = 0; count < 200000; ++count) text += line;
        return text;
    };
    const std::string keys = "[s]\nk=1\n" + lines("\n") + lines("k=2\n");
    const std::string rest = lines("; note\n") + "[S]\n" + lines("x=3\n");
    const std::string text = keys + rest;
    const std::size_t before = HeapInUse();
    IniDocument document(text);
    EXPECT_LT(HeapInUse() - before, text.size() + text.size() / 2);  // its copy of the text

    document.SetValue("s", "new", "v");
    EXPECT_EQ(document.Text(), keys + "new=v\n" + rest);
    EXPECT_EQ(document.Value("S", "k"), "1");
}

// A line that a look-up finds (a first section header, the first key of a name
// in it) costs a few times its bytes, whatever the names: no copy of a name
// and no node of its own, even where every line is one, as in a file of
// distinct short keys or sections.
TEST(IniDocumentMemory, AFoundLineCostsAFewTimesItsBytes) {
    const auto numbered = [](std::string_view first, const char* format) {
        std::string text(first);
        char line[32];
        for (int number = 0; number < 200000; ++number) {
            std::snprintf(line, sizeof line, format, number);
            text += line;
        }
        return text;
    };
    for (const std::string& text :
         {numbered("[s]\n", "k%06x=\n"), numbered("", "[s%07x]\n")}) {
        const std::size_t before = HeapInUse();
        IniDocument document(text);
        EXPECT_LT(HeapInUse() - before, 6 * text.size());
        EXPECT_EQ(document.Text(), text);
    }
}

}  // namespace
}  // namespace vellomar
