#!/usr/bin/env bash
# Times the bin commands of vellomar-cli on a bin of many items, which the
# program itself fills (--to-bin over a tree of empty files): listing it,
# restoring one item, restoring a run of items, and emptying it.
#
#   bench/bin.sh [--cli PATH] [--files N] [--restore K]
#   (default: build/vellomar-cli, 100000 files, 5000 restored in one command)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$repo/build/vellomar-cli"
files=100000
restore=5000
while (($#)); do
  case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --files) files=${2:?--files needs a number}; shift 2 ;;
    --restore) restore=${2:?--restore needs a number}; shift 2 ;;
    *) echo "bin.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
[[ -x $cli ]] || { echo "bin.sh: no vellomar-cli at $cli" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vellomar-bin-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

python3 - "$work/drive" "$files" <<'PY'
import os, sys
root, count = sys.argv[1], int(sys.argv[2])
os.mkdir(root)
for n in range(count):
    folder = os.path.join(root, f"d{n // 1000}")
    if n % 1000 == 0:
        os.mkdir(folder)
    open(os.path.join(folder, f"f{n}.tmp"), "w").close()
PY
"$cli" --drive t="$work/drive" --to-bin --yes garbage t: >/dev/null
sync

seconds() { /usr/bin/time -f %e "$@" 2>&1 >/dev/null | tail -1; }
run=("$cli" --drive t="$work/drive")

"${run[@]}" bin list >"$work/list"
items=$(wc -l <"$work/list")
[[ $items == "$files" ]] || { echo "bin.sh: $items items listed, not $files" >&2; exit 1; }
echo "bin list ($items items):        $(seconds "${run[@]}" bin list) s, again $(seconds "${run[@]}" bin list) s"
echo "bin list --format json:         $(seconds "${run[@]}" bin list --format json) s"
# Without the drive given, the bin is found through the register.
echo "bin list, no --drive:           $(seconds "$cli" bin list) s"
echo "bin restore 1 id:               $(seconds "${run[@]}" bin restore "$(sed -n 1p "$work/list" | cut -f1)") s"
mapfile -t ids < <(sed -n "2,$((restore + 1))p" "$work/list" | cut -f1)
echo "bin restore ${#ids[@]} ids:            $(seconds "${run[@]}" bin restore "${ids[@]}") s"
echo "bin empty ($((items - restore - 1)) items):        $(seconds "${run[@]}" bin empty --yes) s"
left=$("${run[@]}" bin list | wc -l)
[[ $left == 0 ]] || { echo "bin.sh: $left items were left in the bin" >&2; exit 1; }
