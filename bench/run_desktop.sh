#!/usr/bin/env bash
# Builds the X11 desktop benchmark (release) and runs it in a private Xvfb session
# managed by openbox. Usage: bench/run_desktop.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux-release}
cmake --preset linux-release -B "$build" >/dev/null
cmake --build "$build" --target bench_desktop_x11
exec tests/integration/desktop/with_x_session.sh "$build/bench/platform/bench_desktop_x11"
