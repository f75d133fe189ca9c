#include "platform/SystemFiles.h"

namespace vellomar {
namespace {

// The branch of that name, with the kind it has: its own where it is laid
// out, else the one it takes from its parent.
struct Branch {
    const SystemTree* tree;
    SystemTree::Kind kind;
};

Branch BranchOf(const SystemTree& parent, SystemTree::Kind parentKind, std::string_view name) {
    const auto found = parent.branches.find(NameKey(name));
    if (found != parent.branches.end()) return {&found->second, found->second.kind};
    if (!parent.systemPrefix.empty() && NameKey(name).starts_with(parent.systemPrefix))
        return {nullptr, SystemTree::Kind::System};
    return {nullptr, parentKind};
}

const PackagedFolder* SubfolderOf(const PackagedFolder* folder, std::string_view name) {
    if (!folder) return nullptr;
    const auto found = folder->subfolders.find(name);
    return found == folder->subfolders.end() ? nullptr : &found->second;
}

}  // namespace

std::vector<std::string_view> NativeNames(std::string_view path) {
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const std::size_t end = path.find_first_of("/\\");
        const std::string_view name = path.substr(0, end);
        if (!name.empty() && name != ".") names.push_back(name);
        if (end == std::string_view::npos) break;
        path.remove_prefix(end + 1);
    }
    return names;
}

SystemTree& SystemTree::Branch(std::string_view path) {
    SystemTree* tree = this;
    for (std::string_view name : NativeNames(path))
        tree = &tree->branches.try_emplace(NameKey(name), SystemTree{tree->kind, {}, {}}).first->second;
    return *tree;
}

SystemPlace::SystemPlace(const SystemFiles* files, const SystemTree* tree, SystemTree::Kind kind,
                         const PackagedFolder* packaged)
    : files_(files), tree_(tree), kind_(kind), packaged_(packaged) {}

SystemPlace SystemPlace::Below(std::string_view name) const {
    if (kind_ == SystemTree::Kind::None) return {};
    if (!tree_) return files_->PlaceFor(nullptr, kind_, SubfolderOf(packaged_, name));
    const Branch branch = BranchOf(*tree_, kind_, name);
    return files_->PlaceFor(branch.tree, branch.kind, SubfolderOf(packaged_, name));
}

SystemFiles::SystemFiles(std::string systemRoot)
    : root_(std::move(systemRoot)), trees_(SystemTreesOf(root_)) {}

SystemPlace SystemFiles::PlaceFor(const SystemTree* tree, SystemTree::Kind kind,
                                  const PackagedFolder* packaged) const {
    static const PackagedFolder kNothingListed;
    if (kind == SystemTree::Kind::Packaged && !packaged) {
        // A folder where the lists name nothing holds nothing of theirs below
        // it either; but laid-out branches below it may still be the system's.
        if (!tree) return {};
        packaged = &kNothingListed;
    }
    return {this, tree, kind, packaged};
}

SystemPlace SystemFiles::PlaceOf(std::string_view nativeFolder) const {
    std::string_view rest = nativeFolder;
    if (!root_.empty()) {
        if (!rest.starts_with(root_)) return {};
        rest.remove_prefix(root_.size());
        // "/rootx" does not lie below "/root".
        if (!rest.empty() && root_.back() != '/' && rest.front() != '/' && rest.front() != '\\')
            return {};
    }
    const std::vector<std::string_view> names = NativeNames(rest);
    const SystemTree* tree = &trees_;
    SystemTree::Kind kind = trees_.kind;
    std::size_t laidOut = 0;  // the names the branches reach
    for (std::string_view name : names) {
        if (!tree || kind == SystemTree::Kind::None) break;
        const Branch branch = BranchOf(*tree, kind, name);
        tree = branch.tree;
        kind = branch.kind;
        if (tree) ++laidOut;
    }
    if (kind != SystemTree::Kind::Packaged) return PlaceFor(tree, kind, nullptr);
    const PackagedFolder* packaged = &Packages();
    for (std::string_view name : names) packaged = SubfolderOf(packaged, name);
    return PlaceFor(laidOut == names.size() ? tree : nullptr, kind, packaged);
}

const PackagedFolder& SystemFiles::Packages() const {
    std::call_once(packagesRead_, [this] {
        ForEachPackagedFile(root_, [this](std::string_view path) { AddPackagedFile(path); });
    });
    return packages_;
}

void SystemFiles::AddPackagedFile(std::string_view pathBelowRoot) const {
    const std::vector<std::string_view> names = NativeNames(pathBelowRoot);
    if (names.empty()) return;
    // Only what the laid-out trees leave to the lists is kept: a few files
    // of all those the lists name.
    const SystemTree* tree = &trees_;
    SystemTree::Kind kind = trees_.kind;
    PackagedFolder* folder = &packages_;
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        if (tree) {
            const Branch branch = BranchOf(*tree, kind, names[i]);
            tree = branch.tree;
            kind = branch.kind;
        }
        if (kind != SystemTree::Kind::Packaged) return;
        folder = &folder->subfolders.try_emplace(std::string(names[i])).first->second;
    }
    folder->names.emplace(names.back());
}

}  // namespace vellomar
