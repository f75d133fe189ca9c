#pragma once
// The register of the bins made at drives' roots, in the data folder, so that
// every later run finds them whatever drive letters it is given (a folder
// given as a drive on one command line is a plain folder of c: on the next).
// Each bin is named by the folder it was made in, as the file system that
// holds it and that folder's native path (DriveIdentity).
//
// The register only grows, one line per bin, each added by one appending
// write: two runs of the program adding bins at once both keep theirs, where
// a rewrite of the whole file would let the later one drop the other's.
// A line met twice names one bin.

#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveIdentity.h"
#include "platform/FileSystem.h"

namespace vellomar {

// One line of the register: the file system and the folder, each percent-escaped,
// between them a tab.
std::string BinRegisterLine(const DriveIdentity& folder);
// The folders a register's text names, each once, in the order first named;
// lines that name none are passed over.
std::vector<DriveIdentity> ParseBinRegister(std::string_view text);

class BinRegister {
public:
    // The register in the data folder at that drive-form path, reached as
    // the data folder is: through links of this user's or root's only.
    BinRegister(const FileSystem& files, std::string dataFolderPath);

    std::vector<DriveIdentity> Folders() const;
    // Adds the folder unless it is named already; false when it could not be written.
    bool Add(const DriveIdentity& folder);

private:
    Folder OpenDataFolder(Folder::Missing missing) const;

    const FileSystem& files_;
    std::string dataFolderPath_;
    std::vector<DriveIdentity> known_;  // as last read or added
    bool read_ = false;
};

}  // namespace vellomar
