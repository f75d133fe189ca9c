#!/usr/bin/env bash
# Times vellomar-cli finding and deleting empty garbage files, against
# `find -delete` on the same tree: every deletion puts the file aside, looks
# at it and removes it, where find unlinks by name. Then the same for moving
# them to the garbage bin, against `find -exec mv -t` into one folder: every
# move makes the file's item folder and record, renames the file and looks
# at it where it went.
#
#   bench/delete.sh [--cli PATH] [--files N] [--settle S]
#   (default: build/vellomar-cli, 100000 files, no pause after making a tree)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$repo/build/vellomar-cli"
files=100000
settle=0
while (($#)); do
  case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --files) files=${2:?--files needs a number}; shift 2 ;;
    --settle) settle=${2:?--settle needs seconds}; shift 2 ;;
    *) echo "delete.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -x $cli ]] || { echo "delete.sh: no vellomar-cli at $cli" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vellomar-delete-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A tree of empty .tmp files, a thousand to a folder.
make_tree() {
  rm -rf "$work/drive" && mkdir -p "$work/drive"
  python3 - "$work/drive" "$files" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
for n in range(count):
    folder = os.path.join(root, f"d{n // 1000}")
    if n % 1000 == 0:
        os.mkdir(folder)
    open(os.path.join(folder, f"f{n}.tmp"), "w").close()
PY
  sync
  # ext4 passes over inodes freed in the last half minute when it hands out
  # new ones, which would slow whatever makes files next: the bin's folders.
  sleep "$settle"
}

seconds() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }

make_tree
echo "find -delete:      $(seconds find "$work/drive" -name '*.tmp' -delete) s"
make_tree
echo "vellomar-cli:      $(seconds env XDG_CONFIG_HOME="$work/config" "$cli" \
  --drive t="$work/drive" --delete --yes garbage t:) s"
left=$(find "$work/drive" -type f | wc -l)
[[ $left == 0 ]] || { echo "delete.sh: $left files were left" >&2; exit 1; }

make_tree
mkdir "$work/moved"
echo "find -exec mv -t:  $(seconds find "$work/drive" -name '*.tmp' -exec mv -t "$work/moved" {} +) s"
rm -rf "$work/moved"
make_tree
echo "vellomar-cli --to-bin: $(seconds env XDG_CONFIG_HOME="$work/config" "$cli"   --drive t="$work/drive" --to-bin --yes garbage t:) s"
left=$(find "$work/drive" -name '*.tmp' -not -path '*/Garbage Bin/*' | wc -l)
[[ $left == 0 ]] || { echo "delete.sh: $left files were not moved" >&2; exit 1; }
