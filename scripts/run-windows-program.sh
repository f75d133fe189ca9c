#!/usr/bin/env bash
# Builds the window for 64-bit Windows (the first time with Qt for Windows,
# which takes long: see scripts/build-qt-mingw.sh) and starts it under Wine,
# in a fresh Wine prefix, on this X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows-release.sh --window
bash scripts/install-deps.sh wine64
source scripts/wine-prefix.sh
"$wine" build-win32-release/vellomar.exe "$@"
