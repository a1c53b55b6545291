#!/usr/bin/env bash
# Sets up, builds and runs every test: natively (sanitizers on) and the Windows
# build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
for preset in linux-debug mingw-release; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: tests"
  ctest --preset "$preset" -j "$jobs"
done
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
