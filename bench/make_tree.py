#!/usr/bin/env python3
"""Build a seeded, reproducible folder tree to time vellomar-cli against find.

The same --seed and --files always give the same names, sizes and modes.
"""

import argparse
import os
import random
import sys
import time
from collections import Counter
from dataclasses import dataclass

sys.dont_write_bytecode = True  # no __pycache__ left in the repository
from tree_names import FileNamer, folder_name, is_garbage_name

DEPTH_WEIGHTS = [2, 8, 18, 24, 22, 14, 8, 4]  # share of folders at depth 1..8
MEAN_FILES_PER_FOLDER = 25
GARBAGE_SHARE = 0.04
ZERO_SHARE = 0.03
GARBAGE_ZERO_SHARE = 0.3  # temporary files are often left empty
READ_ONLY_SHARE = 0.03
HIDDEN_FOLDER_SHARE = 0.03
LINKS_PER_FILE = 1 / 20000
GARBAGE_BIN = "Garbage Bin"
BIN_FILE_WEIGHT = 8.0  # several times a usual folder's, so the bin really holds files


@dataclass
class Folder:
    path: str
    hidden: bool = False
    in_bin: bool = False


def plan_folders(rng, root, folder_count):
    """Folders level by level; parents drawn with uneven weights so fan-out varies."""
    folders = [Folder(root)]
    parents = [folders[0]]
    for depth, weight in enumerate(DEPTH_WEIGHTS, start=1):
        count = max(1, round(folder_count * weight / sum(DEPTH_WEIGHTS)))
        fertility = [rng.lognormvariate(0, 1.2) for _ in parents]
        ordinals = Counter()
        level = []
        for parent in rng.choices(parents, fertility, k=count):
            ordinals[id(parent)] += 1
            is_bin = depth == 2 and not level
            hidden = not is_bin and rng.random() < HIDDEN_FOLDER_SHARE
            name = GARBAGE_BIN if is_bin else folder_name(rng, ordinals[id(parent)], hidden)
            level.append(Folder(os.path.join(parent.path, name),
                                hidden or parent.hidden, is_bin or parent.in_bin))
        folders.extend(level)
        parents = level
    return folders


class TreeWriter:
    """Writes files with one open/write/close each, relative to an open folder."""

    def __init__(self, rng, force):
        self._rng = rng
        self._namer = FileNamer(rng)
        self._flags = os.O_WRONLY | os.O_CREAT | os.O_NOFOLLOW | (os.O_TRUNC if force else os.O_EXCL)
        self._filler = bytes(rng.choice(b"abcdefghij \n") for _ in range(4096))
        self.tally = Counter()
        self.link_targets = []  # one file per folder is plenty to link to

    def write_folder(self, folder, file_count):
        os.makedirs(folder.path, exist_ok=True)
        self.tally["folders"] += 1
        self.tally["hidden folders"] += folder.hidden
        dir_fd = os.open(folder.path, os.O_RDONLY | os.O_DIRECTORY)
        try:
            for ordinal in range(1, file_count + 1):
                name = self._write_file(dir_fd, ordinal, folder.in_bin)
                if ordinal == 1:
                    self.link_targets.append(os.path.join(folder.path, name))
        finally:
            os.close(dir_fd)

    def _write_file(self, dir_fd, ordinal, in_bin):
        rng = self._rng
        garbage = rng.random() < GARBAGE_SHARE
        name = self._namer.garbage(ordinal) if garbage else self._namer.ordinary(ordinal)
        zero = rng.random() < (GARBAGE_ZERO_SHARE if garbage else ZERO_SHARE)
        read_only = rng.random() < READ_ONLY_SHARE
        fd = os.open(name, self._flags, 0o444 if read_only else 0o644, dir_fd=dir_fd)
        try:
            if not zero:
                os.write(fd, self._filler[:self._size()])
        finally:
            os.close(fd)
        self._count(name, zero, read_only, in_bin)
        return name

    def _size(self):
        rng = self._rng
        roll = rng.random()
        if roll < 0.80:
            return rng.randint(1, 512)
        if roll < 0.95:
            return rng.randint(513, 2048)
        return rng.randint(2049, 4096)

    def _count(self, name, zero, read_only, in_bin):
        garbage = is_garbage_name(name)
        tally = self.tally
        tally["files"] += 1
        tally["hidden files"] += name.startswith(".")
        tally["in Garbage Bin"] += in_bin
        tally["garbage-named"] += garbage
        tally["zero-byte"] += zero
        tally["zero-byte garbage"] += zero and garbage
        tally["read-only"] += read_only
        if not read_only and not in_bin:
            tally["garbage expected"] += garbage
            tally["zero expected"] += zero


# (what the link points to, how the tally names it, name suffix):
# a '.tmp' link must not pass for a garbage file.
LINK_KINDS = (
    ("nothing", "dangling", ".tmp"),
    ("folder", "to folders", ""),
    ("root", "to folders", ""),
    ("file", "to files", ""),
    ("file", "to files", ".tmp"),
)


def link_target(rng, kind, home, folders, files):
    if kind == "nothing":
        return os.path.join(home.path, "missing target")
    if kind == "folder":
        return rng.choice(folders).path
    if kind == "root":
        return folders[0].path  # a loop for a walker that follows links
    return rng.choice(files)


def make_links(rng, folders, files, count, force, tally):
    for ordinal in range(count):
        home = rng.choice(folders[1:])
        kind, group, suffix = LINK_KINDS[ordinal % len(LINK_KINDS)]
        target = link_target(rng, kind, home, folders, files)
        link = os.path.join(home.path, f"shortcut-{ordinal}{suffix}")
        if force and os.path.lexists(link):
            os.unlink(link)
        os.symlink(os.path.relpath(target, home.path), link)
        tally["links"] += 1
        tally["links " + group] += 1


def check_root(root, force):
    if os.path.lexists(root) and not os.path.isdir(root):
        sys.exit(f"make_tree: {root} exists and is not a folder")
    if os.path.isdir(root) and os.listdir(root) and not force:
        sys.exit(f"make_tree: {root} is not empty; pass --force to write into it anyway")


def report(root, seed, seconds, tally):
    print(f"made {root} (seed {seed}) in {seconds:.1f} s")
    rows = [
        ("files", tally["files"], f"hidden {tally['hidden files']}, in \"{GARBAGE_BIN}\" {tally['in Garbage Bin']}"),
        ("folders", tally["folders"], f"hidden {tally['hidden folders']}, root included"),
        ("garbage-named", tally["garbage-named"], ""),
        ("zero-byte", tally["zero-byte"], f"garbage-named {tally['zero-byte garbage']}"),
        ("read-only", tally["read-only"], ""),
        ("links", tally["links"], ", ".join(f"{group} {tally['links ' + group]}"
                                            for group in ("to folders", "to files", "dangling"))),
        ("`garbage` should list", tally["garbage expected"], f"writable, outside \"{GARBAGE_BIN}\""),
        ("`zero` should list", tally["zero expected"], f"writable, outside \"{GARBAGE_BIN}\""),
    ]
    for label, value, detail in rows:
        print(f"  {label:<22}{value:>9}" + (f"   ({detail})" if detail else ""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, help="folder to fill (created if missing)")
    parser.add_argument("--files", type=int, default=200000, help="regular files to create")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--force", action="store_true",
                        help="write into a non-empty folder, overwriting files of the same names")
    args = parser.parse_args()
    if args.files < 1:
        parser.error("--files must be at least 1")

    root = os.path.abspath(args.root)
    check_root(root, args.force)
    started = time.monotonic()
    rng = random.Random(args.seed)
    folders = plan_folders(rng, root, max(len(DEPTH_WEIGHTS), round(args.files / MEAN_FILES_PER_FOLDER)))
    weights = [BIN_FILE_WEIGHT if folder.in_bin else rng.lognormvariate(0, 1.0) for folder in folders]
    files_per_folder = Counter(rng.choices(range(len(folders)), weights, k=args.files))
    writer = TreeWriter(rng, args.force)
    for index, folder in enumerate(folders):
        writer.write_folder(folder, files_per_folder[index])
    link_count = max(5, round(args.files * LINKS_PER_FILE))
    make_links(rng, folders, writer.link_targets, link_count, args.force, writer.tally)
    report(root, args.seed, time.monotonic() - started, writer.tally)


if __name__ == "__main__":
    main()
