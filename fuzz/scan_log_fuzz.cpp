// A scan log of any content: every prefs.js and cache folder it yields exists
// and lies inside a drive's root folder, whatever the logged folders say.

#include <memory>

#include "FuzzSupport.h"
#include "browsers/ScanLog.h"
#include "platform/DrivePath.h"
#include "run/Session.h"

using namespace vellomar;

namespace {

// Drive t: holds two profiles; next to the drive's root, outside every drive,
// lie a prefs.js and a cache folder that no logged folder may reach.
struct Machine {
    fuzz::ScratchFolder scratch;
    std::unique_ptr<Platform> platform;

    Machine() {
        scratch.Write("drive/Profiles/a/prefs.js", "user_pref(\"x\", 1);\n");
        scratch.AddFolder("drive/Profiles/a/Cache");
        scratch.Write("drive/Profiles/b/PREFS.JS", "");
        scratch.Write("prefs.js", "");
        scratch.AddFolder("cache");
        scratch.AddFolder("home/.config/Velmo");
        DriveTable drives;
        drives.Assign('t', (scratch / "drive").string());
        drives.Assign('u', (scratch / "home").string());
        platform = std::make_unique<Platform>(
            std::move(drives), UserFolders{(scratch / "home/.config").string(),
                                           (scratch / "program").string(),
                                           (scratch / "home/.cache").string()});
    }
};

void CheckFound(const Platform& platform, const std::string& path, std::string_view lastName,
                bool folder) {
    if (path.empty()) return;
    FUZZ_REQUIRE(path.ends_with(lastName));
    const FileSystem& files = platform.Files();
    FUZZ_REQUIRE(folder ? files.FolderExists(path) : files.FileExists(path));
    const std::optional<std::string> native = files.NativePath(path);
    FUZZ_REQUIRE(native);
    const Drive* drive = platform.Drives().Find(SplitDrivePath(path)->letter);
    FUZZ_REQUIRE(drive && fuzz::LiesInside(*native, drive->root));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Machine machine;
    const Session session(*machine.platform);
    machine.scratch.Write("home/.config/Velmo/vmscan4.ini",
                          std::string_view(reinterpret_cast<const char*>(data), size));
    const ScanLogEntries entries = ReadScanLog(session);
    for (std::size_t slot = 0; slot < kScanLogSlots; ++slot) {
        CheckFound(*machine.platform, entries.profileFiles[slot], "prefs.js", false);
        CheckFound(*machine.platform, entries.cacheFolders[slot], "cache", true);
    }
    return 0;
}
