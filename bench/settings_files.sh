#!/usr/bin/env bash
# Times vellomar-cli over hostile settings files and reports its peak memory:
# a qsearch.ini with 1,000 overlong values, a plain large one, ones made of
# distinct short keys or sections or both, settings files of blank lines, and a sparse
# 8 GB qsearch.ini under a 2 GB address-space limit. Sizes in MB are given on
# the command line.
#
#   bench/settings_files.sh [--cli PATH] [SIZE_MB...]    (default sizes: 4 20 100)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$repo/build/vellomar-cli"
sizes=()
while (($#)); do
  case $1 in
    --cli) cli=${2:?--cli needs a path}; shift 2 ;;
    *) sizes+=("$1"); shift ;;
  esac
done
((${#sizes[@]})) || sizes=(4 20 100)
[[ -x $cli ]] || { echo "settings_files.sh: no vellomar-cli at $cli" >&2; exit 2; }

work=$(mktemp -d /tmp/vellomar-settings-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/drive" "$work/config/Velmo"

# kind size_mb: a file of that kind, close to that size, on stdout.
make_file() {
  python3 - "$1" "$2" <<'EOF'
import sys
kind, size = sys.argv[1], int(sys.argv[2]) * 1000 * 1000
out = sys.stdout
if kind == "overlong":       # F1..F500 of both lists, each value as long as the size allows
    value = "x" * (size // 1000)
    for section in ("Skip", "Only"):
        out.write("[%s]\n" % section)
        for n in range(1, 501):
            out.write("F%d=%s\n" % (n, value))
elif kind == "plain":        # F1..F500 of both lists, then a comment block making up the size
    for section in ("Skip", "Only"):
        out.write("[%s]\n" % section)
        for n in range(1, 501):
            out.write("F%d=c:\\Users\\Ann\\Folder %d\n" % (n, n))
    line = "; " + "c" * 97 + "\n"
    out.write(line * (size // len(line)))
    out.write("[Status]\nSearch=Bothwindows\n")
elif kind == "keys":         # one section of distinct short keys: each line is looked up
    out.write("[Skip]\n")
    n = 0
    while n * 9 < size:
        out.write("k%06x=\n" % n)
        n += 1
elif kind == "sections":     # distinct empty sections: each header is looked up
    n = 0
    while n * 10 < size:
        out.write("[s%07x]\n" % n)
        n += 1
elif kind == "mixed":        # distinct sections of three distinct short keys each
    n = 0
    while n * 34 < size:
        out.write("[s%07x]\nk%06x=\nk%06x=\nk%06x=\n" % (n, 3 * n, 3 * n + 1, 3 * n + 2))
        n += 1
elif kind == "blank":        # blank lines only, with a section on top
    out.write("[Software\\Quorvat\\Settings]\n")
    out.write("\n" * size)
EOF
}

# Runs the CLI once over the data folder; prints seconds and peak RSS in MB.
# limit (address space in bytes, or empty) and the CLI's command words.
measure() {
  local limit=$1
  shift
  /usr/bin/time -v -o "$work/time" ${limit:+prlimit --as="$limit"} \
    env XDG_CONFIG_HOME="$work/config" "$cli" --drive "t=$work/drive" "$@" \
    >/dev/null 2>"$work/stderr" || true
  local seconds rss status
  seconds=$(awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, p, ":"); s = 0;
                         for (i = 1; i <= n; i++) s = s * 60 + p[i]; print s }' "$work/time")
  rss=$(awk -F': ' '/Maximum resident set size/ { printf "%.0f", $2 / 1024 }' "$work/time")
  status=$(awk -F': ' '/Exit status/ { status = "exit " $2 }
                       /terminated by signal/ { sub(/^[[:space:]]*Command /, ""); signal = $0 }
                       END { print signal ? signal : status }' "$work/time")
  grep -q "bad_alloc" "$work/stderr" && status="$status, std::bad_alloc"
  printf '%8s s %7s MB  %s\n' "$seconds" "$rss" "$status"
}

clear_data() { rm -f "$work/config/Velmo/"* "$work/config/vellomar-registry.ini"; }

printf '%-44s %s\n' "case" "wall, peak RSS"
for size in "${sizes[@]}"; do
  for kind in overlong plain blank keys sections mixed; do
    clear_data
    make_file "$kind" "$size" >"$work/config/Velmo/qsearch.ini"
    printf '%-44s ' "qsearch.ini $kind ${size} MB (garbage t:)"
    measure "" garbage t:
  done
  clear_data
  make_file blank "$size" >"$work/config/vellomar-registry.ini"
  printf '%-44s ' "registry store blank ${size} MB (internet)"
  measure "" internet
  clear_data
  make_file blank "$size" | sed '1s/.*/[P45]/' >"$work/config/Velmo/vmscan4.ini"
  printf '%-44s ' "vmscan4.ini blank ${size} MB (internet)"
  measure "" internet
done
clear_data
truncate -s 8G "$work/config/Velmo/qsearch.ini"
printf '%-44s ' "qsearch.ini sparse 8 GB, 2 GB address limit"
measure 2147483648 garbage t:
