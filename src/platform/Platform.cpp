#include "platform/Platform.h"

#include "platform/Shell.h"
#include "platform/TextFile.h"

namespace vellomar {
namespace {

// The application-data folder always has a drive, even on a share no letter maps.
DriveTable WithShareOf(DriveTable drives, std::string_view appDataFolder) {
    drives.AssignShareOf(appDataFolder);
    return drives;
}

}  // namespace

Platform::Platform(DriveTable drives, UserFolders folders, std::string systemRoot)
    : drives_(WithShareOf(std::move(drives), folders.configHome)),
      systemFiles_(std::move(systemRoot)),
      files_(drives_, systemFiles_),
      trash_(drives_.ToDriveForm(folders.trashFolder).value_or("")),
      appDataFolder_(drives_.ToDriveForm(folders.configHome).value_or("")),
      programFolder_(drives_.ToDriveForm(folders.programFolder).value_or("")),
      programDataFolder_(folders.programDataFolder.empty()
                             ? ""
                             : drives_.ToDriveForm(folders.programDataFolder).value_or("")),
      registry_(RegistryStore::OfThisUser(folders.configHome, appDataFolder_)),
      browserCache_(drives_, std::move(folders.cacheHome)) {}

IniFile Platform::Ini(std::string_view drivePath) const {
    return IniFile(files_.NativePath(drivePath, NameMatch::AnyCase).value_or(std::string()),
                   std::string(drivePath));
}

std::error_code Platform::ReplaceFile(std::string_view drivePath, std::string_view text) const {
    const std::optional<std::string> native = files_.NativePath(drivePath, NameMatch::AnyCase);
    if (!native) return std::make_error_code(std::errc::no_such_file_or_directory);
    return vellomar::ReplaceFile(*native, text);
}

int Platform::ShellOpen(std::string_view drivePath, NameMatch match) const {
    // A missing file is told here: openers differ in whether they check.
    if (!files_.Find(drivePath, match)) return kShellFileNotFound;
    return OpenWithDesktop(files_.NativePath(drivePath, match).value());
}

int Platform::ShellExplore(std::string_view drivePath, NameMatch match) const {
    // The desktop's opener hands a folder to the file manager.
    if (!files_.FolderExists(drivePath, match)) return kShellFileNotFound;
    return OpenWithDesktop(files_.NativePath(drivePath, match).value());
}

bool Platform::StartProgram(std::string_view drivePath, NameMatch match,
                            std::string_view argument) const {
    const std::optional<std::string> native = files_.NativePath(drivePath, match);
    return native && StartProgramFile(*native, std::string(argument));
}

MemoryStatus Platform::Memory() const { return CurrentMemoryStatus(); }

}  // namespace vellomar
