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

. bench/long_run/long_run_build.sh
long_run_build linux-release zandrel-signin prompt_window
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
# falls inside), outer size round(0.93 h) x h, in a free cell of a 3 x 2 grid: prompts
# that overlap would take each other's clicks.
columns=3
rows=2
cell_width=$((1280 / columns))
cell_height=$((800 / rows))
prompts=0
live=0  # (bash's set -u refuses to count an empty associative array)
deadline=$((SECONDS + duration))
declare -A prompt_pid prompt_end prompt_cell
retire_due() {
  for id in "${!prompt_pid[@]}"; do
    if [ "$SECONDS" -ge "${prompt_end[$id]}" ]; then
      kill "${prompt_pid[$id]}" 2>/dev/null || true
      wait "${prompt_pid[$id]}" 2>/dev/null || true
      unset "prompt_pid[$id]" "prompt_cell[$id]"
      live=$((live - 1))
    fi
  done
}
while [ "$SECONDS" -lt "$deadline" ]; do
  if [ "$live" -lt $((columns * rows)) ]; then
    cell=$((RANDOM % (columns * rows)))
    while [ "$live" -gt 0 ] && [[ " ${prompt_cell[*]} " == *" $cell "* ]]; do cell=$(((cell + 1) % (columns * rows))); done
    height=$((200 + RANDOM % 181))
    width=$(((height * 93 + 50) / 100))
    left=$(((cell % columns) * cell_width + RANDOM % (cell_width - width)))
    top=$(((cell / columns) * cell_height + RANDOM % (cell_height - height)))
    log=$work/prompt-$prompts.log
    "$prompt" "prompt $prompts" "$width" "$height" "$left" "$top" > >(stamp >"$log") 2>&1 &
    prompt_pid[$prompts]=$!
    prompt_cell[$prompts]=$cell
    prompt_end[$prompts]=$((SECONDS + 4 + RANDOM % 6))
    prompts=$((prompts + 1))
    live=$((live + 1))
  fi
  next=$((SECONDS + 3 + RANDOM % 4))
  while [ "$SECONDS" -lt "$next" ]; do
    [ "$live" -gt 0 ] && retire_due
    sleep 0.2
  done
done
[ "$live" -gt 0 ] && for id in "${!prompt_pid[@]}"; do
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
