#include "platform/SystemFiles.h"

#include "platform/Folder.h"
#include "platform/TextFile.h"

namespace vellomar {
namespace {

std::string Below(const std::string& root, std::string_view path) {
    std::string joined = root;
    if (joined.empty() || joined.back() != '/') joined.push_back('/');
    return joined.append(path);
}

// Calls each with every line of the file (a missing or unreadable one has none).
template <typename Each>
void ForEachLine(const std::string& nativePath, Each each) {
    const std::optional<TextFileState> file = ReadTextFile(nativePath);
    if (!file) return;
    std::string_view text = file->text;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        each(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

// dpkg: info/PACKAGE.list holds one absolute path a line, folders included
// ("/." for the root). A diverted file lies where the diversions file's second
// line of each three says (the original path, the diverted one, the package).
void ForEachDpkgFile(const std::string& root, const std::function<void(std::string_view)>& add) {
    const std::string info = Below(root, "var/lib/dpkg/info");
    for (const std::string& name : Folder::OpenNative(info).Names())
        if (name.ends_with(".list")) ForEachLine(info + '/' + name, add);
    int line = 0;
    ForEachLine(Below(root, "var/lib/dpkg/diversions"), [&](std::string_view path) {
        if (line++ % 3 == 1) add(path);
    });
}

// pacman: local/PACKAGE-VERSION/files holds, after the line "%FILES%" and up
// to an empty line, one path below the root a line; folders end with '/'.
void ForEachPacmanFile(const std::string& root, const std::function<void(std::string_view)>& add) {
    const std::string local = Below(root, "var/lib/pacman/local");
    for (const std::string& package : Folder::OpenNative(local).Names()) {
        bool inFiles = false;
        ForEachLine(local + '/' + package + "/files", [&](std::string_view line) {
            if (line == "%FILES%") inFiles = true;
            else if (line.empty()) inFiles = false;
            else if (inFiles && !line.ends_with('/')) add(line);
        });
    }
}

}  // namespace

std::string SystemFiles::MachineRoot() { return "/"; }

SystemTree SystemTreesOf(const std::string&) {
    using Kind = SystemTree::Kind;
    SystemTree root{Kind::Packaged, "lib", {}};  // lib, lib32, lib64, libx32
    for (const char* path : {"usr", "boot", "etc", "bin", "sbin", "var/lib"}) root.Branch(path).kind = Kind::System;
    // Packages put no file in these: the users', the machine's scratch and mount folders.
    for (const char* path : {"usr/local", "home", "root", "tmp", "var/tmp", "mnt", "media", "srv", "run",
                             "proc", "sys", "dev"})
        root.Branch(path).kind = Kind::None;
    return root;
}

void ForEachPackagedFile(const std::string& systemRoot,
                         const std::function<void(std::string_view)>& add) {
    ForEachDpkgFile(systemRoot, add);
    ForEachPacmanFile(systemRoot, add);
}

std::string NameKey(std::string_view name) { return std::string(name); }

}  // namespace vellomar
