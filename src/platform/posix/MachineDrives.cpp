#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/DriveLetters.h"
#include "platform/DriveTable.h"
#include "platform/posix/MountedDrives.h"

namespace vellomar {
namespace {

namespace fs = std::filesystem;

// The entries of a folder; none when it cannot be read.
std::vector<fs::path> EntriesOf(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator at(folder, error), end; !error && at != end; at.increment(error))
        entries.push_back(at->path());
    return entries;
}

bool ReadsOne(const fs::path& flagFile) {
    std::ifstream in(flagFile);
    int flag = 0;
    return (in >> flag) && flag == 1;
}

bool IsRemovable(const fs::path& disk) { return ReadsOne(disk / "removable"); }

// A loop device shows a file as a disk.
bool IsFileBacked(const fs::path& disk) {
    std::error_code error;
    return fs::exists(disk / "loop" / "backing_file", error);
}

// Every disk the test holds for, with the partitions on it.
std::set<std::string> DisksWhere(bool (*holds)(const fs::path& disk)) {
    std::set<std::string> devices;
    for (const fs::path& disk : EntriesOf("/sys/block")) {
        if (!holds(disk)) continue;
        devices.insert("/dev/" + disk.filename().string());
        for (const fs::path& part : EntriesOf(disk)) {
            std::error_code error;
            if (fs::exists(part / "partition", error))
                devices.insert("/dev/" + part.filename().string());
        }
    }
    return devices;
}

// Device -> link name of /dev/disk/by-label, each link pointing at its device.
std::map<std::string, std::string> LabelLinks() {
    std::map<std::string, std::string> links;
    for (const fs::path& link : EntriesOf("/dev/disk/by-label")) {
        std::error_code error;
        const fs::path device = fs::canonical(link, error);
        if (!error) links[device.string()] = link.filename().string();
    }
    return links;
}

}  // namespace

DriveTable DriveTable::OfThisMachine(const RegistryStore& letterStore) {
    const BlockDevices devices{DisksWhere(IsRemovable), LabelLinks(), DisksWhere(IsFileBacked)};
    return LetteredDrives(MountedDrives("/proc/self/mountinfo", devices), letterStore);
}

}  // namespace vellomar
