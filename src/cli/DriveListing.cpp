#include "cli/DriveListing.h"

#include "cli/PrintedEntry.h"

namespace vellomar::cli {

void PrintDrives(const DriveTable& drives, std::FILE* out) {
    for (const Drive& drive : drives.Drives()) {
        const std::string line = std::string{drive.letter, ':', '\t'} + PrintedEntry(drive.root) +
                                 '\t' + PrintedEntry(drive.fileSystemType) + '\t' +
                                 PrintedEntry(drive.label);
        std::fprintf(out, "%s\n", line.c_str());
    }
}

}  // namespace vellomar::cli
