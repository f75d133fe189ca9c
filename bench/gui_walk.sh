#!/usr/bin/env bash
# Times a search through the main window (offscreen) against vellomar-cli on the
# same warm tree, and how soon Stop ends a running walk.
#   bench/gui_walk.sh --tree DIR [--runs N] [--build DIR]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$repo/build"
tree=""
runs=7

while (($#)); do
  case $1 in
    --tree) tree=${2:?}; shift 2 ;;
    --runs) runs=${2:?}; shift 2 ;;
    --build) build=${2:?}; shift 2 ;;
    *) echo "usage: bench/gui_walk.sh --tree DIR [--runs N] [--build DIR]" >&2; exit 2 ;;
  esac
done
[[ -d $tree ]] || { echo "gui_walk.sh: give an existing tree with --tree (bench/make_tree.py makes one)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

cli_seconds() {
  local start end
  start=$(date +%s.%N)
  "$build/vellomar-cli" --drive "t=$tree" "$1" t: >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

window_seconds() {
  "$build/vellomar-walk-bench" "$tree" "$1" 2>/dev/null | awk '/^walk/ {print $2}'
}

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

printf 'date:    %s\nmachine: %s CPUs, %s, %s\ntree:    %s (%s files)\n\n' \
  "$(date -u '+%Y-%m-%d %H:%M UTC')" "$(nproc)" \
  "$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)" "$(uname -sr)" \
  "$tree" "$(find "$tree" -xdev -type f | wc -l)"

printf '%-8s %12s %12s %8s\n' search window cli window/cli
for search in garbage zero; do
  window_seconds "$search" >/dev/null  # warm the cache
  cli_times=() window_times=()
  for ((i = 0; i < runs; i++)); do  # alternate, so load on the machine hits both alike
    cli_times+=("$(cli_seconds "$search")")
    window_times+=("$(window_seconds "$search")")
  done
  cli=$(printf '%s\n' "${cli_times[@]}" | median)
  window=$(printf '%s\n' "${window_times[@]}" | median)
  printf '%-8s %10.4f s %10.4f s %8.2f\n' "$search" "$window" "$cli" "$(echo "$window / $cli" | bc -l)"
done

echo
echo "Stop pressed during a zero-byte walk through the window:"
for after in 50 150 250; do
  printf '  after %3d ms: ' "$after"
  "$build/vellomar-walk-bench" "$tree" zero --stop-after "$after" 2>/dev/null | tail -n 1
done
