// Settings files saved by an editor as "Unicode" (UTF-16 little-endian with
// its byte order mark) or as UTF-8 with a mark, read and written whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/IniEncoding.h"
#include "platform/IniFile.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::WriteWholeFile;
using namespace std::string_literals;

// UTF-16 little-endian bytes of ASCII text, as an editor saves it.
std::string Utf16Of(std::string_view ascii) {
    std::string bytes;
    for (char c : ascii) bytes += {c, '\0'};
    return bytes;
}

const std::string kUtf16Mark = "\xFF\xFE";
const std::string kUtf8Mark = "\xEF\xBB\xBF";

class IniEncodingTest : public ::testing::Test {
protected:
    test::TempTree tree;
    fs::path path = tree.AddFolder("Velmo") / "qsearch.ini";
    IniFile file{path.generic_string(), "c:\\Velmo\\qsearch.ini"};
};

TEST_F(IniEncodingTest, AUtf16FileIsReadAndStaysUtf16WithItsMark) {
    // "å" (U+00E5) and "𝄞" (U+1D11E, a surrogate pair) beyond ASCII.
    WriteWholeFile(path, kUtf16Mark + Utf16Of("[Main]\r\nOn=1\r\nName=") + "\xE5\0"s +
                             "\x34\xD8\x1E\xDD" + Utf16Of("\r\n[Folders]\r\nF1=c:\\tmp\r\n"));
    EXPECT_TRUE(file.ReadBool("Main", "On", false));
    EXPECT_EQ(file.ReadString("main", "name", ""), "\xC3\xA5\xF0\x9D\x84\x9E");
    EXPECT_EQ(file.ReadString("Folders", "F1", ""), "c:\\tmp");

    file.WriteString("Folders", "F2", "d:\\\xC3\xA9");
    file.WriteBool("Main", "On", false);
    EXPECT_EQ(ReadWholeFile(path),
              kUtf16Mark + Utf16Of("[Main]\r\nOn=0\r\nName=") + "\xE5\0"s + "\x34\xD8\x1E\xDD" +
                  Utf16Of("\r\n[Folders]\r\nF1=c:\\tmp\r\nF2=d:\\") + "\xE9\0"s + Utf16Of("\n"));
    EXPECT_EQ(file.ReadString("Folders", "F2", ""), "d:\\\xC3\xA9");
}

TEST_F(IniEncodingTest, AUtf8MarkHidesNoSectionAndStaysInFront) {
    WriteWholeFile(path, kUtf8Mark + "[Main]\nOn=1\n");
    EXPECT_TRUE(file.ReadBool("Main", "On", false));
    EXPECT_EQ(file.ReadText(), "[Main]\nOn=1\n");
    file.WriteString("Main", "On", "0");
    EXPECT_EQ(ReadWholeFile(path), kUtf8Mark + "[Main]\nOn=0\n");

    // A file of the mark alone gains its first section after it.
    WriteWholeFile(path, kUtf16Mark);
    file.WriteString("Main", "On", "1");
    EXPECT_EQ(ReadWholeFile(path), kUtf16Mark + Utf16Of("[Main]\nOn=1\n"));
}

TEST_F(IniEncodingTest, BytesNoUtf16CanHoldAreRefusedAndTheFileKept) {
    const std::string saved = kUtf16Mark + Utf16Of("[Main]\r\nOn=1\r\n");
    WriteWholeFile(path, saved);
    // A name of bytes outside UTF-8, as a POSIX file name may be: it would
    // not read back as written. So would two halves of a pair written apart.
    for (const char* value : {"c:\\\xFF", "\xC3", "\xC0\xAF", "\xED\xA0\x80\xED\xB0\x80",
                              "\xF4\x90\x80\x80"}) {
        SCOPED_TRACE(value);
        EXPECT_THROW(file.WriteString("Folders", "F1", value), IniWriteError);
        EXPECT_EQ(ReadWholeFile(path), saved);
    }
    // Plain and UTF-8 files take any bytes, as they always have.
    WriteWholeFile(path, kUtf8Mark);
    file.WriteString("Folders", "F1", "c:\\\xFF");
    EXPECT_EQ(file.ReadString("Folders", "F1", ""), "c:\\\xFF");
}

TEST_F(IniEncodingTest, AHalfOfNoPairInAUtf16FileIsKeptAsWtf8BothWays) {
    // A Windows folder name may hold one; it must name that folder again.
    WriteWholeFile(path, kUtf16Mark + Utf16Of("[Main]\nOn=1\n"));
    for (const std::string value : {"d:\\\xED\xA0\xBD", "\xED\xB3\xA9x", "\xED\xBF\xBF\xED\xA0\x80"}) {
        SCOPED_TRACE(value);
        file.WriteString("Folders", "F1", value);
        EXPECT_EQ(file.ReadString("Folders", "F1", ""), value);
    }
    EXPECT_NE(ReadWholeFile(path).find("\xFF\xDF\x00\xD8"s), std::string::npos);  // the units
}

TEST_F(IniEncodingTest, ABigEndianUtf16FileIsReadAndStaysBigEndian) {
    // "Unicode big endian": each unit's high byte first, after the mark FE FF.
    const auto bigEndian = [](std::string_view ascii) {
        std::string bytes;
        for (char c : ascii) bytes += {'\0', c};
        return bytes;
    };
    WriteWholeFile(path, "\xFE\xFF" + bigEndian("[Main]\r\nName=") + "\x00\xE5\xD8\x34\xDD\x1E"s +
                             bigEndian("\r\n"));
    EXPECT_EQ(file.ReadString("Main", "Name", ""), "\xC3\xA5\xF0\x9D\x84\x9E");
    file.WriteString("Main", "On", "1");
    EXPECT_EQ(ReadWholeFile(path), "\xFE\xFF" + bigEndian("[Main]\r\nName=") +
                                       "\x00\xE5\xD8\x34\xDD\x1E"s + bigEndian("\r\nOn=1\n"));
}

TEST(IniEncoding, HalvesOfNoPairReadAsWtf8AndAnOddLastByteAsAReplacement) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(DecodeIni(kUtf16Mark + "a\0"s + "\x34\xD8" + "b\0"s).text, "a\xED\xA0\xB4" "b");
    EXPECT_EQ(DecodeIni(kUtf16Mark + "\x1E\xDD" + "a\0"s).text, "\xED\xB4\x9E" "a");
    EXPECT_EQ(DecodeIni(kUtf16Mark + "a\0"s + "\x34\xD8").text, "a\xED\xA0\xB4");
    EXPECT_EQ(DecodeIni(kUtf16Mark + "\x34\xD8\x1E\xDD"s).text, "\xF0\x9D\x84\x9E");  // a pair
    EXPECT_EQ(DecodeIni(kUtf16Mark + "a\0b"s).text, "a" + replacement);
    // No mark: the bytes as they are, even those a UTF-16 file would hold.
    EXPECT_EQ(DecodeIni("a\0b\0"s).text, "a\0b\0"s);
    EXPECT_EQ(DecodeIni("a\0b\0"s).encoding, IniEncoding::Plain);
}

}  // namespace
}  // namespace vellomar
