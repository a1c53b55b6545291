# Sourced by scripts that show the program on a virtual display. The caller keeps a
# `pids` array (killed in reverse order by its cleanup) and a `work` folder.

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Starts Xvfb on a free display number with openbox managing it, exports DISPLAY and
# returns once the window manager is ready.
start_virtual_display() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 100 test -s "$work/display" || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  mkdir -p "$work/home"
  HOME="$work/home" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  pids+=($!)
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
  wait_for 100 wm_ready || { echo "openbox did not start" >&2; return 1; }
}
