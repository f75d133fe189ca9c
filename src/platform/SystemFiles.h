#pragma once
// What the operating system owns: its own trees (on POSIX /usr but /usr/local,
// /boot, /etc, /bin, /sbin, /lib*, /var/lib; on Windows the system folder and
// the program folders) and the files its package manager installed elsewhere.
// Such a file is a system entry: no walk lists it and no act touches it, also
// for root. The package lists are read once, and only when a question reaches
// a folder outside both the system's trees and the trees packages never use
// (homes, /tmp, /mnt, /media, /srv, /run, /usr/local): a walk over a user's
// tree never reads them. Safe to ask from several threads.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vellomar {

// A branch of the system's own trees as the platform lays them out.
struct SystemTree {
    enum class Kind : unsigned char {
        None,      // nothing below is the system's
        System,    // everything below is the system's, but the branches listed under it
        Packaged,  // what the package lists name is the system's; only below Packaged ones
    };
    Kind kind = Kind::Packaged;
    // Names below that start with it are System trees ("lib" for lib, lib32, lib64).
    std::string systemPrefix;
    std::map<std::string, SystemTree, std::less<>> branches;  // by NameKey

    // The branch at a native path below this one; what is missing on the way
    // is laid out with its parent's kind.
    SystemTree& Branch(std::string_view path);
};

// The files the package lists name, folder by folder.
struct PackagedFolder {
    std::set<std::string, std::less<>> names;
    std::map<std::string, PackagedFolder, std::less<>> subfolders;
};

// A folder's place among the system's trees: cheap to copy and to step down.
class SystemPlace {
public:
    SystemPlace() = default;  // a place the system owns nothing in

    // Whether the entry of that name in the folder is the system's.
    bool Owns(std::string_view name) const {
        return kind_ == SystemTree::Kind::System ||
               (kind_ == SystemTree::Kind::Packaged && packaged_->names.contains(name));
    }
    // Whether everything in the folder and below it is the system's.
    bool OwnsEverything() const {
        return kind_ == SystemTree::Kind::System &&
               (!tree_ || (tree_->branches.empty() && tree_->systemPrefix.empty()));
    }
    // The place of the subfolder of that name.
    SystemPlace Below(std::string_view name) const;

private:
    friend class SystemFiles;
    SystemPlace(const class SystemFiles* files, const SystemTree* tree, SystemTree::Kind kind,
                const PackagedFolder* packaged);

    const SystemFiles* files_ = nullptr;
    const SystemTree* tree_ = nullptr;  // null off the laid-out branches
    SystemTree::Kind kind_ = SystemTree::Kind::None;
    const PackagedFolder* packaged_ = nullptr;  // where kind_ is Packaged
};

class SystemFiles {
public:
    // The system installed at systemRoot (a native folder: "/" for this
    // machine's), with its package lists below it; tests lay out their own.
    explicit SystemFiles(std::string systemRoot);
    SystemFiles(const SystemFiles&) = delete;
    SystemFiles& operator=(const SystemFiles&) = delete;

    // The root this machine's system is installed at.
    static std::string MachineRoot();

    // The place of a folder by its native path.
    SystemPlace PlaceOf(std::string_view nativeFolder) const;
    // Whether the system owns the entry of that name in a native folder: what
    // an act asks before it touches the entry.
    bool Owns(std::string_view nativeFolder, std::string_view name) const {
        return PlaceOf(nativeFolder).Owns(name);
    }

private:
    friend class SystemPlace;
    SystemPlace PlaceFor(const SystemTree* tree, SystemTree::Kind kind,
                         const PackagedFolder* packaged) const;
    const PackagedFolder& Packages() const;  // read at the first call
    void AddPackagedFile(std::string_view pathBelowRoot) const;

    const std::string root_;
    SystemTree trees_;
    mutable std::once_flag packagesRead_;
    mutable PackagedFolder packages_;
};

// What each platform provides. The branches of the system's trees below root.
SystemTree SystemTreesOf(const std::string& systemRoot);
// Calls add with the path below systemRoot, '/' between names, of each file
// the package manager's lists name; nothing where it keeps none.
void ForEachPackagedFile(const std::string& systemRoot,
                         const std::function<void(std::string_view)>& add);
// The key a name is compared by: itself where letter case tells names apart.
std::string NameKey(std::string_view name);
// The names of a native path, whichever separator it uses.
std::vector<std::string_view> NativeNames(std::string_view path);

}  // namespace vellomar
