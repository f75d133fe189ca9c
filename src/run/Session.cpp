#include "run/Session.h"

#include "platform/DrivePath.h"

namespace vellomar {

DataFolder DataFolder::Under(const std::string& appDataFolder) {
    DataFolder folder;
    folder.DataFolderPath = JoinDrivePath(appDataFolder, "Velmo");
    folder.ScanLogPath = JoinDrivePath(folder.DataFolderPath, "vmscan4.ini");
    folder.QuickSearchPath = JoinDrivePath(folder.DataFolderPath, "qsearch.ini");
    folder.InfoSwitchesPath = JoinDrivePath(folder.DataFolderPath, "Binsettings.ini");
    return folder;
}

Session::Session(const Platform& platform)
    : platform(platform), dataFolder(DataFolder::Under(platform.AppDataFolder())) {}

}  // namespace vellomar
