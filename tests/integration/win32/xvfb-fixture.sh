#!/usr/bin/env bash
# Starts or stops a private X server, with a window manager, for the tests that need
# windows under Wine. Without a window manager Wine waits two seconds for every
# top-level window it destroys, and a real desktop has one anyway.
#   xvfb-fixture.sh start STATE   start Xvfb on a free display and openbox on it;
#                                 STATE gets the display and the process ids
#   xvfb-fixture.sh stop STATE    stop what STATE records
set -euo pipefail
action=${1:?start or stop}
state=${2:?state file}

stop_server() {
  [ -f "$state" ] || return 0
  for pid in $(sed -n 's/^\(wm_pid\|pid\)=//p' "$state"); do
    kill "$pid" 2>/dev/null || true
  done
  rm -f "$state"
}

case $action in
  start)
    stop_server
    mkdir -p "$(dirname "$state")"
    displayfile=$(mktemp)
    # -displayfd picks a free display and writes its number once the server listens.
    # The server is detached from this script's output so CTest does not wait for it.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
      3>"$displayfile" </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
      grep -q '^[0-9][0-9]*$' "$displayfile" 2>/dev/null && break
      kill -0 "$pid" 2>/dev/null || { echo "xvfb-fixture.sh: Xvfb exited" >&2; exit 1; }
      sleep 0.1
    done
    number=$(head -n1 "$displayfile")
    rm -f "$displayfile"
    [ -n "$number" ] || { kill "$pid" 2>/dev/null; echo "xvfb-fixture.sh: no display" >&2; exit 1; }
    printf 'display=:%s\npid=%s\n' "$number" "$pid" >"$state"

    DISPLAY=:$number setsid openbox </dev/null >/dev/null 2>&1 &
    echo "wm_pid=$!" >>"$state"
    # The window manager is ready once it announces itself on the root window.
    for _ in $(seq 1 100); do
      DISPLAY=:$number xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && exit 0
      sleep 0.1
    done
    echo "xvfb-fixture.sh: openbox did not start" >&2
    stop_server
    exit 1
    ;;
  stop) stop_server ;;
  *) echo "xvfb-fixture.sh: unknown action $action" >&2; exit 2 ;;
esac
