#!/usr/bin/env bash
# Builds everything and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/vellomar "$@"
