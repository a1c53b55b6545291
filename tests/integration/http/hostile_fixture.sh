#!/usr/bin/env bash
# Starts or stops the hostile loopback server for the robustness tests.
#   hostile_fixture.sh start DIR   start hostile_server.py; DIR/hostile_server.port gets the port
#   hostile_fixture.sh stop DIR    stop the server started for DIR
set -euo pipefail
action=${1:?start or stop}
dir=${2:?directory}
here=$(cd "$(dirname "$0")" && pwd)
port_file=$dir/hostile_server.port
pid_file=$dir/hostile_server.pid

stop_server() {
  if [ -f "$pid_file" ]; then
    kill "$(cat "$pid_file")" 2>/dev/null || true
    rm -f "$pid_file"
  fi
  rm -f "$port_file"
}

case $action in
  start)
    stop_server
    mkdir -p "$dir"
    # Detached from this script's output, so that CTest does not wait for it.
    setsid python3 "$here/hostile_server.py" --port-file "$port_file" </dev/null >/dev/null 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 1 100); do
      [ -s "$port_file" ] && exit 0
      kill -0 "$(cat "$pid_file")" 2>/dev/null || { echo "hostile_fixture.sh: server exited" >&2; exit 1; }
      sleep 0.1
    done
    echo "hostile_fixture.sh: no port after 10 s" >&2
    stop_server
    exit 1
    ;;
  stop) stop_server ;;
  *) echo "hostile_fixture.sh: unknown action $action" >&2; exit 2 ;;
esac
