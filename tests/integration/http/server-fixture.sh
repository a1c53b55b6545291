#!/usr/bin/env bash
# Starts or stops the loopback HTTP server for the backend tests.
#   server-fixture.sh start DIR   start server.py on free ports; DIR/http_server.port gets the
#                                 plain port on its first line, the TLS port on its second
#   server-fixture.sh stop DIR    stop the server started for DIR
set -euo pipefail
action=${1:?start or stop}
dir=${2:?directory}
here=$(cd "$(dirname "$0")" && pwd)
port_file=$dir/http_server.port
pid_file=$dir/http_server.pid

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
    setsid python3 "$here/server.py" --port-file "$port_file" \
      --tls-cert "$here/test-tls.crt" --tls-key "$here/test-tls.key" </dev/null >/dev/null 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 1 100); do
      [ -s "$port_file" ] && exit 0
      kill -0 "$(cat "$pid_file")" 2>/dev/null || { echo "server-fixture.sh: server exited" >&2; exit 1; }
      sleep 0.1
    done
    echo "server-fixture.sh: no port after 10 s" >&2
    stop_server
    exit 1
    ;;
  stop) stop_server ;;
  *) echo "server-fixture.sh: unknown action $action" >&2; exit 2 ;;
esac
