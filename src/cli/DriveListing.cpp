#include "cli/DriveListing.h"

#include "cli/EntryRecord.h"
#include "cli/PrintedEntry.h"
#include "cli/Utf8Sequence.h"

namespace vellomar::cli {
namespace {

std::string Letter(const Drive& drive) { return {drive.letter, ':'}; }

std::string PlainLine(const Drive& drive) {
    return Letter(drive) + '\t' + PrintedEntry(drive.root) + '\t' +
           PrintedEntry(drive.fileSystemType) + '\t' + PrintedEntry(drive.label);
}

std::string TsvLine(const Drive& drive) {
    return Letter(drive) + '\t' + TsvField(drive.root) + '\t' + TsvField(drive.label) + '\t' +
           TsvField(drive.fileSystemType) + '\t' + TsvField(drive.identity);
}

std::string JsonLine(const Drive& drive) {
    std::string line = "{\"letter\":\"" + Letter(drive) + "\",\"mount_point\":";
    AppendJsonString(line, drive.root);
    line += ",\"label\":";
    AppendJsonString(line, drive.label);
    line += ",\"type\":";
    AppendJsonString(line, drive.fileSystemType);
    line += ",\"identity\":";
    if (drive.identity.empty()) line += "null";
    else AppendJsonString(line, drive.identity);
    if (!IsWellFormedUtf8(drive.root))
        line += ",\"mount_point_base64\":\"" + Base64(drive.root) + "\"";
    return line + "}";
}

}  // namespace

void PrintDrives(const DriveTable& drives, OutputFormat format, std::FILE* out) {
    for (const Drive& drive : drives.Drives()) {
        const std::string line = format == OutputFormat::Tsv    ? TsvLine(drive)
                                 : format == OutputFormat::Json ? JsonLine(drive)
                                                                : PlainLine(drive);
        std::fprintf(out, "%s\n", line.c_str());
    }
}

}  // namespace vellomar::cli
