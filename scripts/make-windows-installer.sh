#!/usr/bin/env bash
# Builds vellomar-cli.exe for release (stripped, with its icon, manifest and
# version) into build-win32-release/, packs it with the pages into an MSI with
# wixl, then installs that MSI in a fresh Wine prefix, runs the installed
# program and removes it again, as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 wixl icoutils

build=build-win32-release
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELLOMAR_BUILD_GUI=OFF -DVELLOMAR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target vellomar-cli
version="$(sed -n 's/^project(Vellomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
msi="$build/vellomar-$version-x64.msi"
# wixl takes the files' paths relative to the folder it runs in.
wixl --arch x64 -D Version="$version" -D BuildDir="$build" -D SourceDir=. \
  -o "$msi" resources/windows/vellomar.wxs
echo "== $msi: $(stat -c %s "$msi") bytes, vellomar-cli.exe $(stat -c %s "$build/vellomar-cli.exe") bytes"

source scripts/wine-prefix.sh
installed="$WINEPREFIX/drive_c/Program Files/Vellomar"
"$wine" msiexec /i "$("$wine" winepath -w "$PWD/$msi" | tr -d '\r')" /qn
for file in vellomar-cli.exe Help.htm download.htm COPYING.txt; do
  [[ -f "$installed/$file" ]] || { echo "the installer left out $file" >&2; exit 1; }
done
said="$("$wine" "$installed/vellomar-cli.exe" --version | tr -d '\r')"
[[ "$said" == "vellomar-cli $version" ]] || { echo "installed program says: $said" >&2; exit 1; }
"$wine" msiexec /x "$("$wine" winepath -w "$PWD/$msi" | tr -d '\r')" /qn
[[ ! -e "$installed/vellomar-cli.exe" ]] || { echo "removing the MSI left vellomar-cli.exe" >&2; exit 1; }
echo "== installed under Wine, ran ($said) and removed"
