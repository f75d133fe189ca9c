// Opening files through the real xdg-utils scripts, in each desktop mode they
// know. GNOME's and the generic mode's tools are the real ones (gio, file);
// KDE's and XFCE's are stand-ins that answer from the same desktop files and
// launch through gio, as the real tools launch the default application and
// return without waiting for it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/Shell.h"
#include "support/PosixProcesses.h"
#include "support/TempTree.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool Installed(const char* program) {
    return access(("/usr/bin/" + std::string(program)).c_str(), X_OK) == 0;
}

// Sets environment variables for one test and puts the old values back.
class EnvironmentOverride {
public:
    void Set(const char* name, const std::string& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name, value.c_str(), 1);
    }
    ~EnvironmentOverride() {
        for (const auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// A user whose desktop knows one application, for web pages: a viewer that
// records what it was handed and stays open for a while. Any browser the
// opener might fall back on records itself too.
class DesktopOpenerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        for (const char* tool : {"xdg-open", "xdg-mime", "gio", "file"})
            if (!Installed(tool)) GTEST_SKIP() << tool << " is not installed: run scripts/install-deps.sh";
        const fs::path bin = tree.AddFolder("bin");
        const fs::path data = tree.AddFolder("data");
        fs::create_directory_symlink("/usr/share/mime", data / "mime");  // the type database only
        test::WriteScript(bin / "viewer", "printf '%s\\n' \"$@\" > '" + Record("viewed") + ".part'\n"
                                    "mv '" + Record("viewed") + ".part' '" + Record("viewed") + "'\nsleep 3");
        test::WriteScript(bin / "browser", "printf '%s\\n' \"$@\" > '" + Record("browsed") + "'");
        test::WriteWholeFile(data / "applications/viewer.desktop",
                             "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + (bin / "viewer").string() +
                                 " %f\nMimeType=text/html;\n");
        test::WriteWholeFile(tree / "config/mimeapps.list", "[Default Applications]\ntext/html=viewer.desktop\n");
        InstallDesktopStandIns(bin);

        environment.Set("PATH", bin.string() + ":/usr/bin:/bin");
        environment.Set("HOME", tree.AddFolder("home").string());
        for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS"}) environment.Set(name, data.string());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            environment.Set(name, (tree / "config").string());
        environment.Set("XDG_CURRENT_DESKTOP", GetParam());
        environment.Set("KDE_SESSION_VERSION", "5");
        environment.Set("DISPLAY", ":0");
        environment.Set("BROWSER", (bin / "browser").string());

        page = tree.AddFile("page.htm");
        test::WriteWholeFile(page, "<!DOCTYPE html><html><body>page</body></html>\n");
        blob = tree / "blob.bin";
        test::WriteWholeFile(blob, std::string("\x7f\x01\x02\x00\xff\xfe", 6));
    }

    // As KDE's tools answer: the file's type, the applications for a type
    // from the desktop files, and a launch of the default one.
    static void InstallDesktopStandIns(const fs::path& bin) {
        test::WriteScript(bin / "kmimetypefinder5", "file --brief --mime-type \"$1\"");
        test::WriteScript(bin / "ktraderclient5",
                    "[ \"$1\" = --mimetype ] || exit 1\n"
                    "for entry in \"$XDG_DATA_DIRS\"/applications/*.desktop; do\n"
                    "  grep -q \"^MimeType=.*$2;\" \"$entry\" && echo \"DesktopEntryPath : '$entry'\"\n"
                    "done\nexit 0");
        // xdg-open asks XFCE's opener for --help to see whether it is there.
        for (const char* opener : {"kde-open5", "exo-open"})
            test::WriteScript(bin / opener, "[ \"$1\" = --help ] && exit 0\nexec gio open \"$1\"");
    }

    std::string Record(const char* name) const { return (tree / name).string(); }
    std::string Recorded(const char* name, std::chrono::milliseconds patience) const {
        return test::ReadOnceWritten(Record(name), patience);
    }

    test::TempTree tree;
    EnvironmentOverride environment;
    fs::path page;
    fs::path blob;
};

TEST_P(DesktopOpenerTest, StartsTheDefaultApplicationWithoutWaitingForIt) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenWithDesktop(page.string()), kShellStarted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2500ms) << "waited for the viewer";
    EXPECT_EQ(Recorded("viewed", 10s), page.string() + "\n");
}

TEST_P(DesktopOpenerTest, ATypeWithoutAnApplicationIsToldAndNothingStarts) {
    EXPECT_EQ(OpenWithDesktop(blob.string()), kShellNoAssociation);
    EXPECT_EQ(Recorded("viewed", 500ms), "");
    EXPECT_EQ(Recorded("browsed", 0ms), "") << "fell back on a browser";
}

INSTANTIATE_TEST_SUITE_P(EachMode, DesktopOpenerTest, ::testing::Values("X-Generic", "GNOME", "KDE", "XFCE"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
}  // namespace vellomar
