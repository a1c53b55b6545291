#!/usr/bin/env bash
# A long run of the real Windows program under Wine, on a private X server with
# openbox: prompt_cycler.exe starts the program and shows prompt-shaped windows that
# appear and vanish every few seconds. Prints the cycler's report (prompts answered,
# counter and run log, stray clicks, working set, handles, GDI/USER objects, idle CPU)
# and, from the Linux side, the resident memory and open descriptors of the Wine
# process that hosts the program, at the start and the end. A benchmark, not a test.
#
#   bench/long_run/long_run_wine.sh [SECONDS]     (default 600)
#   LONG_RUN_BUILD=<dir>   an existing MinGW build with app/zandrel-signin.exe and
#                          bench/long_run/prompt_cycler.exe (default: build mingw-release)
set -euo pipefail
cd "$(dirname "$0")/../.."
duration=${1:-600}

if [ -n "${LONG_RUN_BUILD:-}" ]; then
  build=$LONG_RUN_BUILD
else
  cmake --preset mingw-release >/dev/null
  cmake --build --preset mingw-release -j "$(nproc)" --target zandrel-signin prompt_cycler
  build=build/mingw-release
fi
build=$(cd "$build" && pwd)
program=$build/app/zandrel-signin.exe
cycler=$build/bench/long_run/prompt_cycler.exe
wine_run=$PWD/tests/wine/wine-run.sh
display_scripts=$PWD/tests/integration/win32

work=$(mktemp -d /tmp/long-run-wine.XXXXXX)
prefix=$work/wineprefix
state=$work/xvfb.state
cycler_pid=""
cleanup() {
  [ -n "$cycler_pid" ] && kill "$cycler_pid" 2>/dev/null || true
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  "$display_scripts/xvfb-fixture.sh" stop "$state" || true
}
trap cleanup EXIT

"$wine_run" --prefix "$prefix" --init
"$display_scripts/xvfb-fixture.sh" start "$state"
export DISPLAY=$(sed -n 's/^display=//p' "$state")

"$wine_run" --prefix "$prefix" "$cycler" "$program" "$duration" >"$work/cycler.log" 2>&1 &
cycler_pid=$!

# The Linux process that runs the program.
host_pid() { pgrep -n -f 'zandrel-signin\.exe' | head -n1; }
for _ in $(seq 1 600); do
  pid=$(host_pid || true)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "${pid:-}" ] || { echo "the program did not start; see $work/cycler.log" >&2; exit 1; }
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
fd_count() { find "/proc/$1/fd" -mindepth 1 -maxdepth 1 | wc -l; }
sleep 10
echo "host process start: resident $(rss_kib "$pid") KiB, $(fd_count "$pid") open descriptors"

# Sample once more just before the cycler's idle phase ends.
sleep $((duration + 25))
if kill -0 "$pid" 2>/dev/null; then
  echo "host process end: resident $(rss_kib "$pid") KiB, $(fd_count "$pid") open descriptors"
fi
status=0
wait "$cycler_pid" || status=$?
cycler_pid=""
cat "$work/cycler.log"
echo "logs: $work"
exit "$status"
