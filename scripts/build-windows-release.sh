#!/usr/bin/env bash
# Builds the release programs for 64-bit Windows into build-win32-release/:
# vellomar-cli.exe, and with --window the window's vellomar.exe too, over the
# Qt that scripts/build-qt-mingw.sh cross-builds (once per machine, and long).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix icoutils

build=build-win32-release
options=(-DVELLOMAR_BUILD_GUI=OFF)
targets=(vellomar-cli)
if [[ ${1:-} == --window ]]; then
  qt="$(bash scripts/build-qt-mingw.sh | tail -n1)"
  options=(-DVELLOMAR_BUILD_GUI=ON -DVELLOMAR_QT_MINGW_PREFIX="$qt" -DCMAKE_PREFIX_PATH="$qt"
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
  targets+=(vellomar)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELLOMAR_BUILD_TESTS=OFF "${options[@]}" >/dev/null
cmake --build "$build" --parallel 2 --target "${targets[@]}"
