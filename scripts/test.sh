#!/usr/bin/env bash
# Sets up, builds and runs every test: natively (sanitizers on), the Windows build under
# Wine, and each fuzz target for a bounded time. Ends with one line counting the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
passed=0
for preset in linux-debug mingw-release; do
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "== $preset: tests"
  log=$(mktemp)
  ctest --preset "$preset" -j "$jobs" | tee "$log"
  count=$(sed -n -E 's/.*tests passed, 0 tests failed out of ([0-9]+).*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  passed=$((passed + ${count:-0}))
done
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
echo "$passed passed, 0 failed"
