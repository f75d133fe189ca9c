#include "results/BinRegister.h"

#include <algorithm>

#include "platform/PercentCoding.h"

namespace vellomar {
namespace {

constexpr std::string_view kRegisterName = "Garbage Bins.txt";
// A line names a file system and a folder; a longer file is none of the program's.
constexpr std::size_t kLongestRegister = 4 << 20;

}  // namespace

std::string BinRegisterLine(const DriveIdentity& folder) {
    return PercentEncoded(folder.fileSystem) + '\t' + PercentEncoded(folder.mountPoint) + '\n';
}

std::vector<DriveIdentity> ParseBinRegister(std::string_view text) {
    std::vector<DriveIdentity> folders;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0 || tab + 1 == line.size()) continue;
        DriveIdentity folder{PercentDecoded(line.substr(tab + 1)), PercentDecoded(line.substr(0, tab))};
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

BinRegister::BinRegister(const FileSystem& files, std::string dataFolderPath)
    : files_(files), dataFolderPath_(std::move(dataFolderPath)) {}

Folder BinRegister::OpenDataFolder(Folder::Missing missing) const {
    return files_.EnterFolder(dataFolderPath_, NameMatch::AnyCase, Folder::Links::FollowOwn, missing);
}

std::vector<DriveIdentity> BinRegister::Folders() const {
    const Folder data = OpenDataFolder(Folder::Missing::Fail);
    const auto text = data ? data.ReadSmallFile(kRegisterName, kLongestRegister) : std::nullopt;
    return text ? ParseBinRegister(*text) : std::vector<DriveIdentity>();
}

bool BinRegister::Add(const DriveIdentity& folder) {
    if (!read_) {
        known_ = Folders();
        read_ = true;
    }
    if (std::find(known_.begin(), known_.end(), folder) != known_.end()) return true;
    const Folder data = OpenDataFolder(Folder::Missing::Create);
    if (!data || data.AppendToFile(kRegisterName, BinRegisterLine(folder)) != FileOutcome::Done)
        return false;
    known_.push_back(folder);
    return true;
}

}  // namespace vellomar
