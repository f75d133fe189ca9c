#!/usr/bin/env bash
# Times vellomar-cli's folder walk against find's and fd's on one generated
# tree: warm, or with --cold from a cold disk (caches dropped before each run).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
files=200000
keep=0
cli="$repo/build/vellomar-cli"
tree=""
made_tree=0
status=0
cold=0
runs=7

usage() {
  echo "usage: bench/run.sh [--files N] [--keep] [--cli PATH] [--tree DIR] [--cold [--runs N]]" >&2
  exit 2
}

while (($#)); do
  case $1 in
    --files) files=${2:?--files needs a number}; shift 2 ;;
    --keep) keep=1; shift ;;
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    --tree) tree=${2:?--tree needs a folder}; shift 2 ;;
    --cold) cold=1; shift ;;
    --runs) runs=${2:?--runs needs a number}; shift 2 ;;
    *) usage ;;
  esac
done

drop_caches() { sync && echo 3 >/proc/sys/vm/drop_caches; }
if ((cold)) && ! drop_caches 2>/dev/null; then
  echo "run.sh: --cold drops the kernel's caches, which takes root" >&2
  exit 2
fi

work=$(mktemp -d /tmp/vellomar-bench-work.XXXXXX)
# shellcheck disable=SC2317  # reached through the EXIT trap
cleanup() {
  rm -rf "$work"
  if ((made_tree && !keep)); then
    rm -rf "$tree"
  elif ((made_tree)); then
    echo "tree kept at $tree"
  fi
}
trap cleanup EXIT

# A tree given with --tree is the caller's: it is used as it is and never removed.
if [[ -n $tree ]]; then
  [[ -d $tree ]] || { echo "run.sh: no folder $tree" >&2; exit 2; }
  tree=$(cd "$tree" && pwd)
else
  tree=$(mktemp -d /tmp/vellomar-bench-tree.XXXXXX)
  made_tree=1
  python3 "$repo/bench/make_tree.py" --root "$tree" --files "$files"
  echo
fi

have_cli=1
if [[ ! -x $cli ]]; then
  have_cli=0
  status=1
  echo "run.sh: no vellomar-cli at $cli; timing find alone" >&2
fi

q_tree=$(printf %q "$tree")
q_cli=$(printf %q "$cli")
q_drive=$(printf %q "t=$tree")
declare -A command=(
  [cli garbage]="$q_cli --drive $q_drive garbage t: >/dev/null 2>&1"
  [find garbage]="find $q_tree -xdev -type f -name '*.tmp' >/dev/null"
  [cli zero]="$q_cli --drive $q_drive zero t: >/dev/null 2>&1"
  [find zero]="find $q_tree -xdev -type f -size 0 >/dev/null"
)
# fd (Debian's fd-find installs it as fdfind), on both cores as people run it.
fd=$(command -v fd || command -v fdfind || true)
if [[ -n $fd ]]; then
  q_fd=$(printf %q "$fd")
  command[fd garbage]="$q_fd -uu -j2 --one-file-system -t f -g '*.tmp' . $q_tree >/dev/null"
  command[fd zero]="$q_fd -uu -j2 --one-file-system -t f -S -0b . $q_tree >/dev/null"
fi
timed=()
for pair in garbage zero; do
  ((have_cli)) && timed+=("cli $pair")
  timed+=("find $pair")
  [[ -n $fd ]] && timed+=("fd $pair")
done

for name in "${timed[@]}"; do
  bash -c "${command[$name]}" || { echo "run.sh: warm-up of '$name' exited $?" >&2; status=1; }
done

# What find says the CLI must list: writable regular files, the bin left out.
find_expected() {
  find "$tree" -xdev -regextype posix-extended \
    -type d -name 'Garbage Bin' -prune -o -type f -perm -u+w "$@" -print | wc -l
}

cross_check() {
  local what=$1 expected=$2 listed total verdict=MATCH
  if ! "$cli" --drive "t=$tree" "$what" t: >"$work/$what.out" 2>"$work/$what.err"; then
    echo "run.sh: vellomar-cli $what exited non-zero" >&2
    status=1
  fi
  listed=$(wc -l <"$work/$what.out")
  total=$(sed -n 's/^Total Files = //p' "$work/$what.err")
  if [[ $listed != "$expected" || $total != "$expected" ]]; then
    verdict=MISMATCH
    status=1
  fi
  printf '  %-8s %12s %14s %8s   %s\n' "$what" "$listed" "${total:-none}" "$expected" "$verdict"
}

if ((have_cli)); then
  echo 'cross-check: writable regular files outside "Garbage Bin"'
  printf '  %-8s %12s %14s %8s\n' "" "cli lines" "Total Files =" "find"
  cross_check zero "$(find_expected -size 0)"
  cross_check garbage "$(find_expected -iregex '.*/[^/]*\.((tmp|bak|chk|---|old|gid)[^./]*|~[^./]*)')"
  # Folders are read ahead on several threads, yet the list must keep the
  # order of a one-thread depth-first walk, which find's listing is.
  find "$tree" -xdev -type d -name 'Garbage Bin' -prune -o -type f -perm -u+w -size 0 -print |
    awk -v root="$tree" '{ sub("^" root, "t:"); gsub("/", "\\"); print }' >"$work/zero.order"
  if cmp -s "$work/zero.order" "$work/zero.out"; then
    echo "  zero: listed in the order of find's one-thread walk"
  else
    echo "  zero: ORDER DIFFERS from find's one-thread walk"
    status=1
  fi
  echo
fi

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A median
if ((cold)); then
  # Every run of every program starts from a cold disk; the programs take
  # turns, forwards then backwards, so that the machine's load hits all alike.
  timer="bash time, caches dropped before each run, median of $runs alternating runs"
  TIMEFORMAT=%3R
  order=("${timed[@]}")
  for ((run = 0; run < runs; run++)); do
    for name in "${order[@]}"; do
      drop_caches
      { time bash -c "${command[$name]}" 2>/dev/null; } 2>>"$work/$name.times"
    done
    for ((i = 0, j = ${#order[@]} - 1; i < j; i++, j--)); do
      swap=${order[i]}; order[i]=${order[j]}; order[j]=$swap
    done
  done
  for name in "${timed[@]}"; do median[$name]=$(median <"$work/$name.times"); done
elif command -v "${HYPERFINE:-hyperfine}" >/dev/null; then
  timer="hyperfine, median of its runs"
  args=()
  for name in "${timed[@]}"; do args+=(-n "$name" "${command[$name]}"); done
  "${HYPERFINE:-hyperfine}" --style basic --export-json "$work/times.json" "${args[@]}"
  echo
  while IFS=$'\t' read -r name seconds; do
    median[$name]=$seconds
  done < <(python3 -c 'import json, sys
for r in json.load(open(sys.argv[1]))["results"]:
    print(r["command"], "%.4f" % r["median"], sep="\t")' "$work/times.json")
else
  timer="bash time, median of 5 runs"
  TIMEFORMAT=%3R
  for name in "${timed[@]}"; do
    for _ in 1 2 3 4 5; do
      { time bash -c "${command[$name]}" 2>/dev/null; } 2>>"$work/$name.times"
    done
    median[$name]=$(median <"$work/$name.times")
  done
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
echo "date:    $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "machine: $(nproc) CPUs, ${cpu:-unknown CPU}, Linux $(uname -r)"
cache="warm cache"
((cold)) && cache="cold disk"
echo "tree:    $tree ($(find "$tree" -xdev -type f | wc -l) files, $(stat -f -c %T "$tree"), $cache)"
echo "timer:   $timer"
echo
ratio() { [[ -n $1 && -n $2 ]] && awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }' || echo n/a; }
printf '%-8s %14s %12s %12s %9s %9s\n' pair vellomar-cli find fd cli/find cli/fd
for pair in garbage zero; do
  cli_s=${median[cli $pair]:-}
  find_s=${median[find $pair]}
  fd_s=${median[fd $pair]:-}
  printf '%-8s %14s %12s %12s %9s %9s\n' "$pair" "${cli_s:-n/a}${cli_s:+ s}" "$find_s s" \
    "${fd_s:-n/a}${fd_s:+ s}" "$(ratio "$cli_s" "$find_s")" "$(ratio "$cli_s" "$fd_s")"
done
echo
echo "find for garbage: -name '*.tmp', case-sensitive, so it lists fewer names than vellomar-cli garbage;"
echo "the pairs compare walking speed, not results. Ratio below 1: vellomar-cli is faster."
exit "$status"
