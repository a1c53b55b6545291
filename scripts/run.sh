#!/usr/bin/env bash
# Builds the program and starts it on this machine's display.
#
# Without a reachable display (a server, CI, a first look) it shows what the program
# does on a virtual one instead: Xvfb with the openbox window manager, the program, and
# a window shaped like the prompt it answers. It saves a screenshot before and one
# after the sign-in, prints where they are, and stops everything again.
#
# ZANDREL_BUILD_DIR=<dir> uses an existing build as it is (no set-up, no build);
# ZANDREL_SCREENSHOT_DIR=<dir> is where the screenshots go (a new folder otherwise).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -n "${ZANDREL_BUILD_DIR:-}" ]; then
  build=$ZANDREL_BUILD_DIR
else
  scripts/setup.sh
  cmake --preset linux-release >/dev/null
  cmake --build --preset linux-release -j "$(nproc)" --target zandrel-signin prompt_window
  build=build/linux-release
fi
program=$build/app/zandrel-signin
prompt=$build/tests/e2e/prompt_window

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$program"
fi

# ---- No display: a demonstration on a virtual one. ----
out=${ZANDREL_SCREENSHOT_DIR:-$(mktemp -d /tmp/zandrel-demo.XXXXXX)}
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=scripts/virtual_display.sh
source scripts/virtual_display.sh

echo "No display found: showing the program on a virtual display (Xvfb with openbox)."
start_virtual_display

"$program" >"$out/program.log" 2>&1 &
pids+=($!)
main_window() { xdotool search --onlyvisible --name '^Zandrel' | head -n1 | grep -q .; }
wait_for 300 main_window || { echo "the program's window did not appear; see $out/program.log" >&2; exit 1; }
sleep 0.5
import -window root "$out/before.png"

# A window of the prompt's shape: outer width / height = 461 / 500 = 0.922.
"$prompt" "A prompt-shaped window" 461 500 >"$out/prompt.log" 2>&1 &
pids+=($!)
signed_in() { grep -q '^press' "$out/prompt.log"; }
if ! wait_for 100 signed_in; then
  echo "The program did not answer the prompt-shaped window; see $out/program.log" >&2
  exit 1
fi
read -r _ click_x click_y _ < <(grep -m1 '^press' "$out/prompt.log")

# Open the run log (the button 运行日志 at 128,80 size 80x32 in the client area) so
# the sign-in line shows too.
main=$(xdotool search --onlyvisible --name '^Zandrel' | head -n1)
client_x=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left X: *//p')
client_y=$(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left Y: *//p')
xdotool mousemove "$((client_x + 168))" "$((client_y + 96))" click 1
sleep 0.5
import -window root "$out/after.png"
# Mark where the click landed.
convert "$out/after.png" -fill none -stroke red -strokewidth 3 \
  -draw "circle $click_x,$click_y $((click_x + 12)),$click_y" "$out/after.png"

echo "The program answered the prompt-shaped window with a click at ($click_x, $click_y)."
echo "Screenshot before the sign-in: $out/before.png"
echo "Screenshot after the sign-in:  $out/after.png"
