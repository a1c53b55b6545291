#!/usr/bin/env bash
# Sets up, builds and starts the program on this machine's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset linux-release >/dev/null
cmake --build --preset linux-release -j "$(nproc)"
program=build/linux-release/app/zandrel-signin
if [ ! -x "$program" ]; then
  echo "The program itself is not built yet: only its libraries and tests exist so far."
  exit 0
fi
exec "$program"
