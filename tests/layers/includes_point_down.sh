#!/usr/bin/env bash
# Every include points down a layer or stays within its folder: platform, then
# the run state, then the subsystems (scan; quicksearch; results; browsers),
# then the program, then the command line. The core reaches no windows/ folder
# and no Qt header; the command line reaches no windows/ folder. Only the
# platform layer's posix/ and win32/ folders include their system's headers,
# so everything else, the windows included, builds on both.
set -euo pipefail
src=${1:?usage: includes_point_down.sh SRC_DIR}
posix_headers='^#include <(unistd|fcntl|dirent|pwd|grp|spawn|poll|signal|termios|sys/[a-z_]+)\.h>'
windows_headers='^#include <(windows|winioctl|wininet|winternl|shlobj|shellapi|io|knownfolders)\.h>'
declare -A rank=([platform]=0 [run]=1 [scan]=2 [quicksearch]=3 [results]=4 [browsers]=5 [app]=6 [cli]=7)
faults=0
while IFS= read -r -d '' file; do
  relative=${file#"$src"/}
  folder=${relative%%/*}
  in_windows=0
  [[ $relative == */windows/* ]] && in_windows=1
  while IFS= read -r line; do
    target=${line#*\"}
    target=${target%%\"*}
    to=${target%%/*}
    if [[ -n ${rank[$to]:-} && -n ${rank[$folder]:-} && ${rank[$to]} -gt ${rank[$folder]} ]]; then
      echo "$relative includes $target, a layer above it"; faults=$((faults + 1))
    fi
    if ((!in_windows)) && [[ $target == */windows/* ]]; then
      echo "$relative includes $target, a window"; faults=$((faults + 1))
    fi
  done < <(grep -E '^#include "' "$file" || true)
  if ((!in_windows)) && grep -qE '^#include <Q' "$file"; then
    echo "$relative includes a Qt header outside a windows/ folder"; faults=$((faults + 1))
  fi
  if [[ $relative != platform/posix/* ]] && grep -qE "$posix_headers" "$file"; then
    echo "$relative includes a POSIX header outside platform/posix/"; faults=$((faults + 1))
  fi
  if [[ $relative != platform/win32/* ]] && grep -qiE "$windows_headers" "$file"; then
    echo "$relative includes a Windows header outside platform/win32/"; faults=$((faults + 1))
  fi
done < <(find "$src" -name '*.h' -print0 -o -name '*.cpp' -print0)
((faults == 0)) || { echo "$faults includes point the wrong way"; exit 1; }
