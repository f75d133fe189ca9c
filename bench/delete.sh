#!/usr/bin/env bash
# Times vellomar-cli finding and deleting empty garbage files, against
# `find -delete` on the same tree: every deletion puts the file aside, looks
# at it and removes it, where find unlinks by name.
#
#   bench/delete.sh [--cli PATH] [--files N]    (default: build/vellomar-cli, 100000)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$repo/build/vellomar-cli"
files=100000
while (($#)); do
  case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --files) files=${2:?--files needs a number}; shift 2 ;;
    *) echo "delete.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -x $cli ]] || { echo "delete.sh: no vellomar-cli at $cli" >&2; exit 2; }

work=$(mktemp -d /tmp/vellomar-delete-bench.XXXXXX)
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
}

seconds() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }

make_tree
echo "find -delete:      $(seconds find "$work/drive" -name '*.tmp' -delete) s"
make_tree
echo "vellomar-cli:      $(seconds env XDG_CONFIG_HOME="$work/config" "$cli" \
  --drive t="$work/drive" --delete --yes garbage t:) s"
left=$(find "$work/drive" -type f | wc -l)
[[ $left == 0 ]] || { echo "delete.sh: $left files were left" >&2; exit 1; }
