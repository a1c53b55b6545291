#!/usr/bin/env bash
# Builds the release benchmark, starts the loopback server and runs WebAccess against curl.
#   bench/http/run.sh [BUILD_DIR]   (default build/linux-release)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/linux-release}
[ -f "$build/CMakeCache.txt" ] || cmake --preset linux-release -B "$build" >/dev/null
cmake --build "$build" --target bench_web_access
state=$(mktemp -d)
fixture=$root/tests/integration/http/server-fixture.sh
trap '"$fixture" stop "$state" http_server; rm -rf "$state"' EXIT
"$fixture" start "$state" http_server server.py
"$build/bench/http/bench_web_access" "$(head -n1 "$state/http_server.port")"
