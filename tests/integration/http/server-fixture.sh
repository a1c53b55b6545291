#!/usr/bin/env bash
# Starts or stops a loopback test server (a Python script that writes its ports to a file).
#   server-fixture.sh start DIR NAME SCRIPT [ARGS...]
#       start SCRIPT on free ports; DIR/NAME.port receives the ports it prints there
#   server-fixture.sh stop DIR NAME
#       stop the server NAME started for DIR
set -euo pipefail
action=${1:?start or stop}
dir=${2:?directory}
name=${3:?server name}
here=$(cd "$(dirname "$0")" && pwd)
port_file=$dir/$name.port
pid_file=$dir/$name.pid

stop_server() {
  if [ -f "$pid_file" ]; then
    kill "$(cat "$pid_file")" 2>/dev/null || true
    rm -f "$pid_file"
  fi
  rm -f "$port_file"
}

case $action in
  start)
    script=${4:?server script}
    shift 4
    stop_server
    mkdir -p "$dir"
    # Detached from this script's output, so that CTest does not wait for it.
    setsid python3 "$here/$script" --port-file "$port_file" "$@" </dev/null >/dev/null 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 1 100); do
      [ -s "$port_file" ] && exit 0
      kill -0 "$(cat "$pid_file")" 2>/dev/null || { echo "server-fixture.sh: $name exited" >&2; exit 1; }
      sleep 0.1
    done
    echo "server-fixture.sh: $name gave no port after 10 s" >&2
    stop_server
    exit 1
    ;;
  stop) stop_server ;;
  *) echo "server-fixture.sh: unknown action $action" >&2; exit 2 ;;
esac
