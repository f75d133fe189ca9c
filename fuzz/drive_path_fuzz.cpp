// Drive-form paths of any content: splitting, joining and the name helpers agree
// with one another, and a path resolved on a small tree never leads outside
// its drive's root folder.

#include "FuzzSupport.h"
#include "platform/DrivePath.h"
#include "platform/FileSystem.h"

using namespace vellomar;

namespace {

// Drive t: is a small tree; beside it, outside every drive, lie a file and a
// folder that no path may reach.
struct Machine {
    fuzz::ScratchFolder scratch;
    DriveTable drives;
    FileSystem files{drives};

    Machine() {
        for (const char* file : {"drive/a/b.txt", "drive/a/Sub/c.TMP", "drive/Mixed/Case.TXT",
                                 "drive/x.y/z", "drive/twin", "drive/TWIN", "outside.txt"})
            scratch.Write(file, "x");
        scratch.AddFolder("outside");
        drives.Assign('t', (scratch / "drive").string());
    }
};

std::string Joined(const DrivePathParts& parts) {
    std::string path{parts.letter, ':'};
    for (std::string_view name : parts.names) path = JoinDrivePath(path, name);
    return path;
}

void CheckNameHelpers(std::string_view path) {
    const std::string_view last = LastName(path);
    FUZZ_REQUIRE(last.find('\\') == std::string_view::npos && path.ends_with(last));
    FUZZ_REQUIRE(std::string(FolderPartWithSeparator(path)) + std::string(last) == path);
    const std::string_view extension = ExtensionOf(path);
    FUZZ_REQUIRE(extension.empty() ||
                 (extension.front() == '.' && last.ends_with(extension) &&
                  extension.find('.', 1) == std::string_view::npos));
    const std::string joined = JoinDrivePath(path, "name");
    FUZZ_REQUIRE(LastName(joined) == "name" && FolderPartWithSeparator(joined) == std::string(path) + '\\');
}

void CheckSplit(std::string_view path) {
    const std::optional<DrivePathParts> parts = SplitDrivePath(path);
    if (!parts) return;
    FUZZ_REQUIRE(parts->letter >= 'a' && parts->letter <= 'z');
    for (std::string_view name : parts->names)
        FUZZ_REQUIRE(!name.empty() && name != "." && name != ".." &&
                     name.find('\\') == std::string_view::npos);
    const std::string joined = Joined(*parts);
    const std::optional<DrivePathParts> again = SplitDrivePath(joined);
    FUZZ_REQUIRE(again && again->letter == parts->letter && again->names == parts->names);
}

void CheckResolution(const Machine& machine, std::string_view path) {
    const std::optional<std::string> native = machine.files.NativePath(path);
    if (!native) {
        FUZZ_REQUIRE(!machine.files.Find(path));
        return;
    }
    const Drive* drive = machine.drives.Find(SplitDrivePath(path)->letter);
    FUZZ_REQUIRE(drive && fuzz::LiesInside(*native, drive->root));
    if (const std::optional<FoundEntry> found = machine.files.Find(path)) {
        FUZZ_REQUIRE(native->ends_with('/' + found->name));
        FUZZ_REQUIRE(fuzz::fs::exists(fuzz::fs::symlink_status(*native)));
    }
    machine.files.FolderExists(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Machine machine;
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    CheckNameHelpers(path);
    CheckSplit(path);
    CheckResolution(machine, path);
    return 0;
}
