#!/usr/bin/env bash
# Cross-builds the core library, vellomar-cli and their tests for 64-bit
# Windows with mingw-w64 into build-win32/, and runs the tests under Wine in a
# fresh Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

# mingw-w64 builds for Windows, Wine runs the result, googletest brings the
# test library's sources to build with that compiler.
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 googletest icoutils

build=build-win32
toolchain="$PWD/cmake/mingw-w64.cmake"
# GoogleTest from Debian's sources, built once with the same compiler.
gtest_prefix="$PWD/$build/googletest"
if [[ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$build/googletest-build" --parallel 2
  cmake --install "$build/googletest-build" >/dev/null
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLOMAR_BUILD_GUI=OFF \
  -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$build" --parallel 2

source scripts/wine-prefix.sh
ctest --test-dir "$build" --output-on-failure --parallel 2 "$@"
