#!/usr/bin/env bash
# Configures and builds everything into build/, as the package is built.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/distribution-flags.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${distribution_flags[@]}" >/dev/null
cmake --build build --parallel
