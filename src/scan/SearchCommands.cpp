#include "scan/SearchCommands.h"

#include <algorithm>

#include "platform/DrivePath.h"
#include "platform/IniFile.h"
#include "scan/ScanLifecycle.h"
#include "scan/WalkFolder.h"

namespace vellomar {
namespace {

constexpr std::string_view kRemoveGarbageAdvice =
    "To perform automatic cleanups of garbage files on your system, choose a button under "
    "category box \"Remove Garbage\". These file types include many leftover webpages and "
    "graphics/pictures, 0 byte files, temp files, and many other garbage files which this "
    "software will safely remove.";

const std::array<DriveSearchCommand, 13> kDriveSearchCommands = {{
    {"Garbage Files", "garbage", "Garb", &ScanState::FindGarbage,
     "This button will find a variety of garbage files which can be removed from your system. "
     "Many leftover files, including temp files are left behind, and will gradually be "
     "recreated over time. This button can be used to keep your system cleaned up on a "
     "regular basis. ",
     ""},
    {"0 Byte Files", "zero", "Zero", &ScanState::FindZeroByte,
     "This button will find all of 0 byte files on your system which can be removed. It is "
     "common to have many zero byte files accumulated on your system, and this will give you "
     "the opportunity to keep these cleaned up. If you attempt to view any of these file "
     "types, it will simply show you an empty file.",
     ""},
    {"Videos", "videos", "Vid", &ScanState::FindVideos,
     "Using this button will search the selected drive for video files. Video files are often "
     "left behind from internet downloads. These can also be simply forgotten about or "
     "misplaced, and can be tremendous space consumers. You can easily play each video found, "
     "view the file statistics and space consumption, and determine if you would like to save "
     "this video or delete it.",
     kRemoveGarbageAdvice},
    {"Pictures", "pictures", "Pic", &ScanState::FindPictures,
     "Using this button will search the selected drive for various pictures/graphics files. "
     "These file types are often left behind from internet downloads, or may be just "
     "forgotten photos. You can easily view each picture found, view the file statistics and "
     "space consumption, and determine if you would like to save this picture or delete it.",
     kRemoveGarbageAdvice},
    {"Sound Files", "sounds", "Snd", &ScanState::FindSounds,
     "Using this button will search the selected drive for all sound files. These file types "
     "are normally left behind from  previous software trials, internet downloads, etc. You "
     "can easily listen to each file found, view the file statistics and space consumption, "
     "and determine if you would like to save the sound file or delete it. You may want to "
     "use the sort buttons when this search finishes, so you can easily ignore many of the "
     "Windows sound files which will be listed in the windows directories.",
     kRemoveGarbageAdvice},
    {"Screensavers", "screensavers", "Scr", &ScanState::FindScreensavers,
     "Using this button will search the selected drive for various screensavers. Normally, "
     "many screensavers that you will never use or want were installed on your system before "
     "you bought it. This will list the screensavers and allow you to preview them instantly, "
     "then give you the chance to delete it. As with all other found file types, the file "
     "statistics are also displayed showing you the total bytes consumed.",
     kRemoveGarbageAdvice},
    {"Bookmarks", "bookmarks", "Bookmarks", &ScanState::FindBookmarks,
     "This button will search your drive for various bookmarks from current and previous "
     "browsers. Uninstalling old browsers sometimes leaves behind many bookmarks that may "
     "have been forgotten about. This will list the bookmarks and allow you to preview them "
     "instantly, then give you the chance to delete them. As with all other found file types, "
     "the file statistics are also displayed showing you the total number and bytes.",
     kRemoveGarbageAdvice},
    {"Documents", "documents", "Wp", &ScanState::FindDocuments,
     "Using this button will search the selected drive for word processor documents. "
     "Normally, many text files, word documents, works documents, and other document types "
     "are left behind or forgotten. This will find all the text files or word processor "
     "documents, and give you the chance to view it and decide if you would like to keep the "
     "document, or add it to the trash bin.",
     kRemoveGarbageAdvice},
    {"Zip Files", "zips", "Zip", &ScanState::FindZips,
     "This button will search the selected drive for any zipped files. Zipped files are "
     "normally downloaded from the internet or emails. Zip files can contain any type of "
     "data, including programs, videos, etc. After searching you can click the corresponding "
     "button to open your unzipping program and view the zipped file. You can then determine "
     "if you want to keep or remove the zipped file.",
     kRemoveGarbageAdvice},
    {"Webpage Files", "webpages", "Wall", &ScanState::FindWebpages,
     "This button will search the selected drive for all webpages. Many software "
     "installations will use webpages for help information, which are often left behind after "
     "uninstalling. After searching, you can easily open your browser and view the webpage by "
     "simply clicking the corresponding view button, then determine if it is something you "
     "wish to keep.",
     kRemoveGarbageAdvice},
    {"Ini/Dat Files", "inidat", "Ini", &ScanState::FindIniDat,
     "This button is for advanced users. Ini and dat files can be used by any software "
     "program to control program settings or data, however many can also be left behind after "
     "programs are uninstalled. By viewing these files, you can recognize titles or "
     "information in the programs which will help you recognize the file as a leftover file. "
     "Many times the file name itself will be named similiar to an old or removed program.",
     kRemoveGarbageAdvice},
    {"Log Files", "logs", "Log", &ScanState::FindLogs,
     "Log files are mostly used to simply contain log data which may or may not be needed as "
     "this depends upon each individual program that uses the log files. Many can also be "
     "left behind after programs are uninstalled. By viewing these files, you can recognize "
     "whether the file is something you may want to keep or remove.  Many times the file name "
     "itself will be named similiar to old or removed program, and you can often determine if "
     "the log file is simply garbage or not. As with all other found file types, the file "
     "statistics are also displayed showing you the total number and bytes, and will give you "
     "the option to delete.",
     kRemoveGarbageAdvice},
    {"Tax Files", "tax", "Tax", &ScanState::FindTax,
     "Tax files are often left behind or forgotten about, and contain all your personal "
     "information if you sell or give away your computer. This information is critical as "
     "almost everyone does taxes on the computer. This option will scan for the most used tax "
     "software programs, and list any stored documents it finds. As with all other found file "
     "types, the file statistics are also displayed showing you the total number and bytes, "
     "and will give you the option to delete.",
     kRemoveGarbageAdvice},
}};

}  // namespace

const std::array<DriveSearchCommand, 13>& DriveSearchCommands() { return kDriveSearchCommands; }

const DriveSearchCommand* FindDriveSearchCommand(std::string_view cliName) {
    auto found = std::find_if(kDriveSearchCommands.begin(), kDriveSearchCommands.end(),
                              [&](const DriveSearchCommand& c) { return c.cliName == cliName; });
    return found == kDriveSearchCommands.end() ? nullptr : &*found;
}

void RunDriveSearch(SearchContext& context, const DriveSearchCommand& command, char driveLetter) {
    try {
        ShowCommandInfo(context, command.infoKey, command.infoText, command.infoAdvice);
    } catch (const IniWriteError& error) {
        context.prompts.ShowMessage(MessageKind::Error, error.what());  // the command ends with its failed write
        return;
    }
    ResetScan(context);
    context.session.scan.*command.flag = true;
    WalkFolder(context.session, context.view, *context.admissionForWalk(), DriveRootPath(driveLetter));
    FinishScan(context);
    context.view.FitListWidth();
}

}  // namespace vellomar
