#!/usr/bin/env bash
# Times "Scan Drive Now" through the Scan Drive window against
# `vellomar-cli scan-browsers` on the same warm tree: medians of alternating
# runs. The window is shown on the display of the environment (offscreen
# when there is none).
#   bench/scan_drive.sh --tree DIR [--runs N] [--build DIR] [--window-bench PATH]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$repo/build"
tree=""
runs=7
window_bench=""

while (($#)); do
  case $1 in
    --tree) tree=${2:?}; shift 2 ;;
    --runs) runs=${2:?}; shift 2 ;;
    --build) build=${2:?}; shift 2 ;;
    --window-bench) window_bench=${2:?}; shift 2 ;;
    *) echo "usage: bench/scan_drive.sh --tree DIR [--runs N] [--build DIR] [--window-bench PATH]" >&2; exit 2 ;;
  esac
done
[[ -d $tree ]] || { echo "scan_drive.sh: give an existing tree with --tree (bench/make_tree.py makes one)" >&2; exit 2; }
window_bench=${window_bench:-$build/vellomar-scan-drive-bench}
[[ -n ${DISPLAY:-} ]] || export QT_QPA_PLATFORM=offscreen

config=$(mktemp -d "${TMPDIR:-/tmp}/vellomar-scan-bench.XXXXXX")
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME=$config

cli_seconds() {
  local start end
  start=$(date +%s.%N)
  "$build/vellomar-cli" --drive "t=$tree" scan-browsers t: >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

window_seconds() { "$window_bench" "$tree" 2>/dev/null | awk '/^scan/ {print $2}'; }

median() { sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

cli_seconds >/dev/null  # makes the log and warms the tree
window=() cli=()
for ((run = 0; run < runs; run++)); do
  window+=("$(window_seconds)")
  cli+=("$(cli_seconds)")
done
printf 'window       %.3f s (median of %d)\nvellomar-cli %.3f s\n' \
  "$(printf '%s\n' "${window[@]}" | median)" "$runs" "$(printf '%s\n' "${cli[@]}" | median)"
echo "logged:"
grep -v '=$' "$config/Velmo/vmscan4.ini"
