#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there; any finding fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# -O1 keeps the sanitized build and run short; asserts stay in.
cmake -S . -B build-asan -G Ninja -DVELLOMAR_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
# The tests only (vellomar-cli comes with its tests): the benchmarks and the
# program are not run under the sanitizers.
cmake --build build-asan --parallel \
  --target vellomar_core_tests vellomar_cli_tests vellomar_window_tests
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
