#pragma once
// The operating system as the program's core sees it: drives and drive-form
// paths, files and folders, ini files, the per-user registry and the folders
// the program lives in, starting other programs, the memory figures. Tests
// build one over temporary folders of their own.

#include <string>
#include <string_view>
#include <system_error>

#include "platform/DesktopTrash.h"
#include "platform/DriveTable.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/MemoryStatus.h"
#include "platform/RegistryStore.h"
#include "platform/SystemFiles.h"
#include "platform/UrlCache.h"

namespace vellomar {

// Native folders the platform is built around.
struct UserFolders {
    std::string configHome;     // per-user configuration folder
    std::string programFolder;  // the folder holding the running executable
    std::string cacheHome;      // per-user cache folder, where browsers keep their caches
    std::string trashFolder = {};  // the desktop's trash of this user; empty where it has none
    // The program's own folder for what it keeps that is no setting (the
    // garbage bin of files from drives without one); empty where the data
    // folder serves.
    std::string programDataFolder = {};

    // $XDG_CONFIG_HOME (or ~/.config), created when missing, the folder of
    // this process's executable, $XDG_CACHE_HOME (or ~/.cache) and
    // $XDG_DATA_HOME/Trash (or ~/.local/share/Trash), $XDG_DATA_HOME/vellomar.
    // On Windows: %APPDATA% (or the roaming application-data known folder).
    static UserFolders OfThisProcess();
};

class Platform {
public:
    // The system's files are those of the system installed at systemRoot.
    Platform(DriveTable drives, UserFolders folders,
             std::string systemRoot = SystemFiles::MachineRoot());
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    const DriveTable& Drives() const { return drives_; }
    const FileSystem& Files() const { return files_; }
    const DesktopTrash& Trash() const { return trash_; }
    const RegistryStore& Registry() const { return registry_; }
    // The browsers' caches of web pages and pictures.
    const UrlCache& BrowserCache() const { return browserCache_; }

    // The per-user application-data folder, in drive form.
    const std::string& AppDataFolder() const { return appDataFolder_; }
    // The folder of the program's executable, in drive form.
    const std::string& ProgramFolder() const { return programFolder_; }
    // UserFolders::programDataFolder in drive form; empty where there is none.
    const std::string& ProgramDataFolder() const { return programDataFolder_; }

    // An ini file by drive-form path.
    IniFile Ini(std::string_view drivePath) const;
    // Puts the text in the file at a drive-form path written by a person,
    // whole or not at all (ReplaceFile of TextFile.h); what failed, if anything.
    std::error_code ReplaceFile(std::string_view drivePath, std::string_view text) const;

    // Opens a file or folder with the application the desktop associates with
    // it; the result is numbered as in platform/Shell.h.
    int ShellOpen(std::string_view drivePath, NameMatch match) const;
    // Shows a folder in the desktop's file manager; numbered as ShellOpen.
    int ShellExplore(std::string_view drivePath, NameMatch match) const;
    // Starts a program file with one argument, without waiting for it; false
    // when it could not be started.
    bool StartProgram(std::string_view drivePath, NameMatch match,
                      std::string_view argument) const;

    // The machine's physical memory and swap figures at this moment.
    MemoryStatus Memory() const;

private:
    DriveTable drives_;
    SystemFiles systemFiles_;
    FileSystem files_;
    DesktopTrash trash_;
    std::string appDataFolder_;
    std::string programFolder_;
    std::string programDataFolder_;
    RegistryStore registry_;
    UrlCache browserCache_;
};

}  // namespace vellomar
