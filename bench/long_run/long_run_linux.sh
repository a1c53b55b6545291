#!/usr/bin/env bash
# A long run of the real Linux program under Xvfb with openbox: prompt-shaped windows
# appear and vanish every few seconds for the whole run. Prints how many prompts were
# answered, clicks that landed where no prompt was any more, the program's resident
# memory and open descriptors at the start and the end, and its CPU use while idle.
# A benchmark, not a test: run it by hand.
#
#   bench/long_run/long_run_linux.sh [SECONDS]     (default 600)
#   LONG_RUN_BUILD=<dir>   an existing build with app/zandrel-signin and
#                          tests/e2e/prompt_window (default: build linux-release)
set -euo pipefail
cd "$(dirname "$0")/../.."
duration=${1:-600}
idle_seconds=30

if [ -n "${LONG_RUN_BUILD:-}" ]; then
  build=$LONG_RUN_BUILD
else
  cmake --preset linux-release >/dev/null
  cmake --build --preset linux-release -j "$(nproc)" --target zandrel-signin prompt_window
  build=build/linux-release
fi
program=$build/app/zandrel-signin
prompt=$build/tests/e2e/prompt_window

work=$(mktemp -d /tmp/long-run-linux.XXXXXX)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
# shellcheck source=scripts/virtual_display.sh
source scripts/virtual_display.sh


start_virtual_display

# A screen-sized window below everything else (ratio 1.6, never a prompt): a click
# that lands on it hit a place where no prompt was.
"$prompt" "background" 1280 800 >"$work/background.log" 2>&1 &
pids+=($!)
wait_for 100 grep -q '^ready' "$work/background.log" || { echo "no background window" >&2; exit 1; }

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
main_window() { xdotool search --onlyvisible --name '^Zandrel' | head -n1 | grep -q .; }
wait_for 300 main_window || { echo "the program's window did not appear" >&2; exit 1; }
sleep 5

# Each output line of a prompt window, with the time it arrived in front.
stamp() { while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "$line"; done; }

. bench/long_run/process_usage.sh
start_rss=$(rss_kib "$program_pid")
start_fds=$(fd_count "$program_pid")
start_threads=$(threads "$program_pid")
echo "start: resident ${start_rss} KiB, ${start_fds} open descriptors, ${start_threads} threads"

# Prompts: a new one every 3 to 6 s, each living 4 to 9 s (at least one tick of 3 s
# falls inside), outer size h x round(0.93 h).
prompts=0
deadline=$((SECONDS + duration))
declare -A prompt_pid prompt_end
while [ "$SECONDS" -lt "$deadline" ]; do
  height=$((300 + RANDOM % 300))
  width=$(((height * 93 + 50) / 100))
  log=$work/prompt-$prompts.log
  "$prompt" "prompt $prompts" "$width" "$height" > >(stamp >"$log") 2>&1 &
  prompt_pid[$prompts]=$!
  prompt_end[$prompts]=$((SECONDS + 4 + RANDOM % 6))
  prompts=$((prompts + 1))
  next=$((SECONDS + 3 + RANDOM % 4))
  while [ "$SECONDS" -lt "$next" ]; do
    for id in "${!prompt_pid[@]}"; do
      if [ "$SECONDS" -ge "${prompt_end[$id]}" ]; then
        kill "${prompt_pid[$id]}" 2>/dev/null || true
        wait "${prompt_pid[$id]}" 2>/dev/null || true
        unset "prompt_pid[$id]"
      fi
    done
    sleep 0.2
  done
done
for id in "${!prompt_pid[@]}"; do
  sleep "$(( prompt_end[$id] > SECONDS ? prompt_end[$id] - SECONDS : 0 ))"
  kill "${prompt_pid[$id]}" 2>/dev/null || true
  wait "${prompt_pid[$id]}" 2>/dev/null || true
done

# Idle: no prompt, only the program's own ticks.
idle_start=$(cpu_ns "$program_pid")
sleep "$idle_seconds"
idle_end=$(cpu_ns "$program_pid")

answered=0
presses=0
same_tick=0
for ((id = 0; id < prompts; id++)); do
  count=$(grep -c '^[0-9.]* press' "$work/prompt-$id.log" || true)
  presses=$((presses + count))
  [ "$count" -gt 0 ] && answered=$((answered + 1))
  # Two presses on one prompt within 1.5 s came from one tick (ticks are 3 s apart).
  pairs=$(awk '$2 == "press" { if (seen && $1 - last < 1.5) n++; last = $1; seen = 1 } END { print n + 0 }' \
    "$work/prompt-$id.log")
  same_tick=$((same_tick + pairs))
done
stray=$(grep -c '^press' "$work/background.log" || true)
end_rss=$(rss_kib "$program_pid")
end_fds=$(fd_count "$program_pid")
end_threads=$(threads "$program_pid")

echo "run: ${duration} s, ${prompts} prompts, ${answered} answered, ${presses} clicks on prompts"
echo "clicks where no prompt was (on the background): ${stray}"
echo "prompts clicked twice within one tick: ${same_tick}"
echo "end: resident ${end_rss} KiB, ${end_fds} open descriptors, ${end_threads} threads"
print_idle_cpu "idle CPU" "$((idle_end - idle_start))" "$idle_seconds"
echo "logs: $work"
[ "$answered" -eq "$prompts" ] && [ "$stray" -eq 0 ] && [ "$same_tick" -eq 0 ]
