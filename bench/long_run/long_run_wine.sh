#!/usr/bin/env bash
# A long run of the real Windows program under Wine, on a private X server with
# openbox: prompt_cycler.exe starts the program and shows prompt-shaped windows that
# appear and vanish every few seconds. Prints the cycler's report (prompts answered,
# counter and run log, stray clicks, working set, handles, GDI/USER objects) and, from
# the Linux side, the resident memory, open descriptors and threads of the Wine process
# that hosts the program at the start and the end, and the CPU that process and the
# prefix's Wine server use while no prompt is shown. A benchmark, not a test.
#
#   bench/long_run/long_run_wine.sh [SECONDS]     (default 600)
#   LONG_RUN_BUILD=<dir>   an existing MinGW build with app/zandrel-signin.exe and
#                          bench/long_run/prompt_cycler.exe (default: build mingw-release)
set -euo pipefail
cd "$(dirname "$0")/../.."
duration=${1:-600}

. bench/long_run/long_run_build.sh
long_run_build mingw-release zandrel-signin prompt_cycler
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

# The Linux process that runs the program, and the Wine server of this run's prefix.
# (Its command line is the Windows path the cycler started; the cycler's own command
# line names the program too, as a Unix path.)
host_pid() { pgrep -n -f '^[A-Za-z]:.*zandrel-signin\.exe' | head -n1; }
# The server works in a folder named after the prefix's device and inode.
server_pid() {
  local folder candidate
  folder=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")
  for candidate in $(pgrep -f wineserver); do
    case $(readlink "/proc/$candidate/cwd" 2>/dev/null) in
      */"$folder") echo "$candidate"; return ;;
    esac
  done
}
for _ in $(seq 1 600); do
  pid=$(host_pid || true)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "${pid:-}" ] || { echo "the program did not start; see $work/cycler.log" >&2; exit 1; }
server=$(server_pid)
[ -n "$server" ] || { echo "no Wine server found for $prefix" >&2; exit 1; }
. bench/long_run/process_usage.sh
sleep 10
echo "host process start: resident $(rss_kib "$pid") KiB, $(fd_count "$pid") open descriptors, $(threads "$pid") threads"

wait_for_line() {
  for _ in $(seq 1 $(((duration + 300) * 2))); do
    grep -q "^$1" "$work/cycler.log" && return 0
    kill -0 "$cycler_pid" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}
# measure WHAT: the CPU of the program (when it runs) and of the prefix's Wine server
# over the cycler's phase WHAT, sampled from its first line to just before its last
# (the cycler acts on the program right after the phase).
measure_phase() {
  wait_for_line "$1 phase starts" || { cat "$work/cycler.log"; exit 1; }
  local seconds started ended program_start server_start
  seconds=$(tr -d "\r" <"$work/cycler.log" | sed -n "s/^$1 phase starts: \\([0-9]*\\) s$/\\1/p")
  [ "$1" = idle ] &&
    echo "host process end: resident $(rss_kib "$pid") KiB, $(fd_count "$pid") open descriptors, $(threads "$pid") threads"
  started=$EPOCHREALTIME
  program_start=$(cpu_ns "$pid")
  server_start=$(cpu_ns "$server")
  sleep $((seconds - 3))
  ended=$EPOCHREALTIME
  seconds=$(awk -v a="$started" -v b="$ended" 'BEGIN { print b - a }')
  [ "$1" = idle ] &&
    print_idle_cpu "idle CPU of the program" "$(($(cpu_ns "$pid") - program_start))" "$seconds" >>"$work/usage.txt"
  # The Wine server answers every Wine program of the prefix, Wine's own services too.
  print_idle_cpu "CPU of the prefix's Wine server, $1 phase" "$(($(cpu_ns "$server") - server_start))" "$seconds" >>"$work/usage.txt"
}
measure_phase idle
measure_phase baseline
status=0
wait "$cycler_pid" || status=$?
cycler_pid=""
cat "$work/cycler.log" "$work/usage.txt"
echo "logs: $work"
exit "$status"
