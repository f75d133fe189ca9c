#!/usr/bin/env bash
# Builds vellomar-cli.exe for release (stripped, with its icon, manifest and
# version) into build-win32-release/, and the window's vellomar.exe too where
# scripts/build-qt-mingw.sh has built Qt for Windows on this machine; packs them
# with the pages into an MSI with wixl, then installs that MSI in a fresh Wine
# prefix, runs the installed command line and removes it again, as a user would.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh wine64 wixl

build=build-win32-release
programs=(vellomar-cli.exe)
with_window=no
if bash scripts/build-qt-mingw.sh --built >/dev/null; then
  bash scripts/build-windows-release.sh --window
  programs+=(vellomar.exe)
  with_window=yes
else
  bash scripts/build-windows-release.sh
  echo "== no Qt for Windows on this machine (scripts/build-qt-mingw.sh): the MSI holds no window"
fi
version="$(sed -n 's/^project(Vellomar VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
msi="$build/vellomar-$version-x64.msi"
# wixl takes the files' paths relative to the folder it runs in.
wixl --arch x64 -D Version="$version" -D BuildDir="$build" -D SourceDir=. -D WithWindow=$with_window \
  -o "$msi" resources/windows/vellomar.wxs
echo "== $msi: $(stat -c %s "$msi") bytes"
for program in "${programs[@]}"; do echo "   $program: $(stat -c %s "$build/$program") bytes"; done

source scripts/wine-prefix.sh
installed="$WINEPREFIX/drive_c/Program Files/Vellomar"
"$wine" msiexec /i "$("$wine" winepath -w "$PWD/$msi" | tr -d '\r')" /qn
for file in "${programs[@]}" Help.htm download.htm COPYING.txt; do
  [[ -f "$installed/$file" ]] || { echo "the installer left out $file" >&2; exit 1; }
done
# The Start menu entry lies in the user's or all users' menu, as the scope falls.
if [[ $with_window == yes ]] && ! find "$WINEPREFIX/drive_c" -path "*/Start Menu/Programs/Vellomar.lnk" | grep -q .; then
  echo "the installer made no Start menu entry" >&2
  exit 1
fi
# The installed window opens the first start's Scan Drive window on a virtual
# X display: Qt's platform plugin and style are in the one executable file.
if [[ $with_window == yes ]]; then
  bash scripts/install-deps.sh xvfb xauth xdotool
  # Wine's desktop process, started by the boot without a display, would keep
  # every window off the X display.
  /usr/lib/wine/wineserver64 -k
  xvfb-run -a bash -c '"$1" "$2" & for _ in $(seq 60); do
      xdotool search --name "Scan Drive$" >/dev/null && exit 0; sleep 1; done; exit 1' \
    _ "$wine" "$installed/vellomar.exe" || { echo "the installed window did not open" >&2; exit 1; }
  /usr/lib/wine/wineserver64 -k
fi
said="$("$wine" "$installed/vellomar-cli.exe" --version | tr -d '\r')"
[[ "$said" == "vellomar-cli $version" ]] || { echo "installed program says: $said" >&2; exit 1; }
"$wine" msiexec /x "$("$wine" winepath -w "$PWD/$msi" | tr -d '\r')" /qn
[[ ! -e "$installed/vellomar-cli.exe" ]] || { echo "removing the MSI left vellomar-cli.exe" >&2; exit 1; }
opened=""
[[ $with_window == no ]] || opened=", the window opened"
echo "== installed under Wine, ran ($said$opened) and removed"
