#pragma once
// The selected-file panel: the description of the result list's current entry
// (the File Details window and the two lines under the main window's counters),
// and opening the current entry's folder in the file manager.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "run/MessagePrompts.h"
#include "run/Session.h"

namespace vellomar {

// The texts that describe one file, each whole as its line shows it.
struct FileDetailLines {
    // The File Details window, top to bottom as its labels stand.
    std::string name;       // lblname
    std::string size;       // lblsize
    std::string changedOn;  // lbltime
    std::string attribute;  // lblattr
    std::string location;   // lblloc
    // The main window's selected-file lines.
    std::string fileDate;   // Lbldate
    std::string byteSize;   // Lblsize
};

class FileDetailsView {
public:
    virtual ~FileDetailsView() = default;
    // Writes every line at once: a file is described whole or not at all.
    virtual void ShowFileDetailLines(const FileDetailLines& lines) = 0;
};

// A moment as the user's short date format writes its local date, without the
// time of day.
using DateFormatter = std::function<std::string(FileTime)>;

// The size in bytes of the entry the program found at a path, of any kind; -1
// when nothing is there by that exact name.
std::int64_t FileSize64(const FileSystem& files, std::string_view drivePath);

// The entry's file as it is now, while the file at its path is still the one
// listed; nothing when it is gone or another file, or the file rewritten,
// stands there.
std::optional<EntryInfo> ListedFileNow(const Session& session, std::size_t row);

// "File Attribute: " and the name of the whole attribute value: a value with
// more than one bit set is an archive.
std::string AttributeText(unsigned attributes);

// Describes the current entry's file. A file that is gone is reported as an
// information message and leaves every line as it was.
void ShowFileDetails(const Session& session, FileDetailsView& view, MessagePrompts& prompts,
                     const DateFormatter& formatDate);

// "Explore Folder": the current entry's folder in the file manager; a warning
// when it cannot be opened.
void ExploreCurrentFolder(const Session& session, MessagePrompts& prompts);

}  // namespace vellomar
