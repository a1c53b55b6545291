#!/usr/bin/env bash
# The Linux program's cost while idle: resident memory and CPU time over 60 seconds
# under Xvfb with openbox, its 3000 ms watch timer running over an otherwise empty
# desktop. The baseline, measured in the same run and the same way, is the minimal XCB
# client tests/e2e/prompt_window (one window, no toolkit).
#
#   bench/linux_idle.sh [BUILD_DIR] [SECONDS]     (default build/linux-release, 60)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build/linux-release}
seconds=${2:-60}
program=$build/app/zandrel-signin
baseline=$build/tests/e2e/prompt_window
for f in "$program" "$baseline"; do
  [ -x "$f" ] || { echo "missing $f: build the zandrel-signin and prompt_window targets first" >&2; exit 1; }
done

measure() {
  local hz pid_a pid_b
  hz=$(getconf CLK_TCK)
  # No accessibility bus in this session: GTK is told not to look for one.
  NO_AT_BRIDGE=1 "$program" >/dev/null 2>&1 &
  pid_a=$!
  "$baseline" "baseline" 300 200 >/dev/null 2>&1 &
  pid_b=$!
  sleep 3  # start-up is not idle time
  cpu() { awk '{print $14 + $15}' "/proc/$1/stat"; }
  rss() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
  local a0 b0 a1 b1
  a0=$(cpu "$pid_a"); b0=$(cpu "$pid_b")
  sleep "$seconds"
  a1=$(cpu "$pid_a"); b1=$(cpu "$pid_b")
  local rss_a rss_b
  rss_a=$(rss "$pid_a"); rss_b=$(rss "$pid_b")
  kill "$pid_a" "$pid_b"
  wait 2>/dev/null || true
  awk -v a="$((a1 - a0))" -v b="$((b1 - b0))" -v hz="$hz" -v s="$seconds" \
      -v ra="$rss_a" -v rb="$rss_b" 'BEGIN {
    pa = a / hz / s * 100; pb = b / hz / s * 100
    printf "idle over %d s (CPU in clock ticks of 1/%d s):\n", s, hz
    printf "  program  : %6.3f %% of one core (%d ticks), resident %6.1f MB\n", pa, a, ra / 1024
    printf "  baseline : %6.3f %% of one core (%d ticks), resident %6.1f MB\n", pb, b, rb / 1024
    printf "  ratio    : resident memory %.1f x baseline; CPU %d ticks vs %d\n", ra / rb, a, b
    printf "  target   : below 0.1 %% of one core: %s\n", (pa < 0.1 ? "met" : "NOT met")
  }'
}
export -f measure
export program baseline seconds
exec "$repo/tests/integration/desktop/with_x_session.sh" bash -c measure
