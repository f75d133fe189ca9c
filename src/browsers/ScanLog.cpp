#include "browsers/ScanLog.h"

#include <optional>

#include "platform/AsciiCase.h"
#include "platform/IniDocument.h"
#include "platform/IniText.h"

namespace vellomar {
namespace {

std::string SlotKey(std::size_t number) { return "P" + std::to_string(number); }

IniFile ScanLogFile(const Session& session) {
    return session.platform.Ini(session.dataFolder.ScanLogPath);
}

std::string Comparable(std::string_view text) { return ToAsciiUpper(ini_text::TrimBlanks(text)); }

}  // namespace

bool IsBrowserPath(std::string_view path) {
    const std::string upper = ToAsciiUpper(path);
    for (std::string_view mark : {"NETSCAPE", "MOZILLA", "\\REAL"})
        if (upper.find(mark) != std::string::npos) return true;
    return false;
}

void CreateEmptyScanLog(const Session& session) {
    const FileSystem& files = session.platform.Files();
    if (files.FileExists(session.dataFolder.ScanLogPath, NameMatch::AnyCase)) return;
    ScanLogFile(session).Rewrite([](std::string_view text) {
        IniDocument log{std::string(text)};
        for (std::size_t number = 1; number <= kScanLogSlots; ++number) {
            log.SetValue(kProfileSection, SlotKey(number), "");
            log.SetValue(kLocalStoreSection, SlotKey(number), "");
        }
        return log.Text();
    });
}

void LogBrowserFolder(const Session& session, std::string_view folderPath,
                      std::string_view section, MessagePrompts& prompts) {
    // A line break in a folder name would split its slot's line: the folder
    // could never be read back, so it is not logged.
    if (folderPath.find_first_of("\r\n") != std::string_view::npos) return;
    const IniFile log = ScanLogFile(session);
    const IniDocument text(log.ReadText());
    const std::string wanted = Comparable(folderPath);
    // Every slot is looked at before a free one is taken: a slot emptied by
    // hand must not make a logged folder count as new.
    std::optional<std::size_t> freeSlot;
    for (std::size_t number = 1; number <= kScanLogSlots; ++number) {
        const std::string value = text.Value(section, SlotKey(number)).value_or("");
        if (Comparable(value) == wanted) return;
        if (value.empty() && !freeSlot) freeSlot = number;
    }
    if (freeSlot) log.WriteString(section, SlotKey(*freeSlot), folderPath);
    else prompts.ShowMessage(MessageKind::Plain, kScanLogFullMessage);
}

ScanLogEntries ReadScanLog(const Session& session) {
    const FileSystem& files = session.platform.Files();
    const IniDocument text(ScanLogFile(session).ReadText());
    ScanLogEntries entries;
    for (std::size_t number = 1; number <= kScanLogSlots; ++number) {
        const std::string folder = text.Value(kProfileSection, SlotKey(number)).value_or("");
        if (folder.empty()) continue;
        if (files.FileExists(folder + "prefs.js", NameMatch::AnyCase))
            entries.profileFiles[number - 1] = folder + "prefs.js";
        if (files.FolderExists(folder + "cache", NameMatch::AnyCase))
            entries.cacheFolders[number - 1] = folder + "cache";
    }
    return entries;
}

}  // namespace vellomar
