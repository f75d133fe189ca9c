#!/usr/bin/env bash
# Times the search by name against find's -iname, and a walk under a bypass
# list of 50 folders against the same walk without filters, on one warm tree.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
files=1000000
cli="$repo/build/vellomar-cli"
text=report
tree=""
made_tree=0

usage() {
  echo "usage: bench/quicksearch.sh [--files N] [--cli PATH] [--tree DIR] [--text TEXT]" >&2
  exit 2
}

while (($#)); do
  case $1 in
    --files) files=${2:?--files needs a number}; shift 2 ;;
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --tree) tree=${2:?--tree needs a folder}; shift 2 ;;
    --text) text=${2:?--text needs a word}; shift 2 ;;
    *) usage ;;
  esac
done
[[ -x $cli ]] || { echo "quicksearch.sh: no vellomar-cli at $cli" >&2; exit 2; }

work=$(mktemp -d /tmp/vellomar-qs-work.XXXXXX)
# shellcheck disable=SC2317  # reached through the EXIT trap
cleanup() {
  rm -rf "$work"
  if ((made_tree)); then rm -rf "$tree"; fi
}
trap cleanup EXIT

if [[ -n $tree ]]; then
  tree=$(cd "$tree" && pwd)
else
  tree=$(mktemp -d /tmp/vellomar-bench-tree.XXXXXX)
  made_tree=1
  python3 "$repo/bench/make_tree.py" --root "$tree" --files "$files"
fi

# Two data folders: one without settings, one bypassing 50 folders that lie
# nowhere in the tree, so that every folder is checked against all of them.
mkdir -p "$work/plain/Velmo" "$work/bypass/Velmo"
{
  echo "[Skip]"
  for n in $(seq 1 50); do echo "F$n=t:\\nowhere\\folder number $n"; done
  printf '[Status]\nSearch=Bothwindows\nPerform=Skipfolders\n'
} >"$work/bypass/Velmo/qsearch.ini"

q_cli=$(printf %q "$cli")
q_tree=$(printf %q "$tree")
q_drive=$(printf %q "t=$tree")
q_text=$(printf %q "$text")
declare -A command=(
  [cli name]="XDG_CONFIG_HOME=$work/plain $q_cli --drive $q_drive name $q_text t: --partial >/dev/null 2>&1"
  [find iname]="LC_ALL=C find $q_tree -xdev -type f -iname $(printf %q "*$text*") >/dev/null"
  [walk plain]="XDG_CONFIG_HOME=$work/plain $q_cli --drive $q_drive garbage t: >/dev/null 2>&1"
  [walk bypass50]="XDG_CONFIG_HOME=$work/bypass $q_cli --drive $q_drive garbage t: >/dev/null 2>&1"
)
order=("cli name" "find iname" "walk plain" "walk bypass50")

# Both must list the same files: every regular file whose name holds the text.
listed=$(XDG_CONFIG_HOME="$work/plain" "$cli" --drive "t=$tree" name "$text" t: --partial 2>/dev/null | wc -l)
found=$(LC_ALL=C find "$tree" -xdev -type f -iname "*$text*" | wc -l)
echo "name '$text': vellomar-cli lists $listed, find lists $found"
status=0
[[ $listed == "$found" ]] || { echo "quicksearch.sh: the counts differ" >&2; status=1; }

declare -A median
if command -v hyperfine >/dev/null; then
  args=()
  for name in "${order[@]}"; do args+=(-n "$name" "${command[$name]}"); done
  hyperfine --style basic --warmup 2 --runs 20 --export-json "$work/times.json" "${args[@]}" >/dev/null
  while IFS=$'\t' read -r name seconds; do median[$name]=$seconds; done < <(
    python3 -c 'import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(r["command"], "%.4f" % r["median"], sep="\t")' "$work/times.json")
else
  TIMEFORMAT=%3R
  for name in "${order[@]}"; do
    bash -c "${command[$name]}"
    for _ in 1 2 3 4 5; do { time bash -c "${command[$name]}"; } 2>>"$work/$name.times"; done
    median[$name]=$(sort -g "$work/$name.times" | sed -n 3p)
  done
fi

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "tree: $(find "$tree" -xdev -type f | wc -l) files, $(nproc) CPUs, warm cache"
for name in "${order[@]}"; do printf '%-14s %8s s\n' "$name" "${median[$name]}"; done
echo "name / find:      $(ratio "${median[cli name]}" "${median[find iname]}")"
echo "bypass50 / plain: $(ratio "${median[walk bypass50]}" "${median[walk plain]}")"
exit "$status"
