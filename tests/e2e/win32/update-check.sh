#!/usr/bin/env bash
# Runs the update-check scenario against a loopback server in a network namespace of
# its own, where the query host resolves to 127.0.0.1 and port 80 is ours.
#   update-check.sh HOST RELEASE-PAGE DISPLAY-STATE WINE-RUN PREFIX TESTS.exe PROGRAM.exe
# Exit code 77 (skipped) where no private network namespace can be made (not root).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != "--inside" ]; then
  if [ "$(id -u)" != 0 ] || ! unshare --net --mount true 2>/dev/null; then
    echo "update-check.sh: a private network namespace needs root; skipped" >&2
    exit 77
  fi
  exec unshare --net --mount -- "$0" --inside "$@"
fi
shift
host=$1 releasePage=$2 state=$3 winerun=$4 prefix=$5 tests=$6 program=$7

ip link set lo up
workdir=$(mktemp -d)
trap 'kill "${server:-}" 2>/dev/null || true; rm -rf "$workdir"' EXIT
# This mount namespace only: the program's resolver finds the query host on loopback.
printf '127.0.0.1 localhost\n127.0.0.1 %s\n' "$host" >"$workdir/hosts"
mount --bind "$workdir/hosts" /etc/hosts

log=$workdir/requests.log
python3 "$here/portrait_server.py" --port 80 --log "$log" \
  'portraitCallback({"2840561372":[1,"5.7",2]})' \
  'portraitCallback({"2840561372":[1,"5.6",2]})' &
server=$!
for _ in $(seq 1 100); do
  grep -q READY "$log" 2>/dev/null && break
  sleep 0.1
done
grep -q READY "$log" || { echo "update-check.sh: the server did not start" >&2; exit 1; }

# The release page goes to a recording browser launcher instead of a browser.
export SW_E2E_BROWSER_LOG=$workdir/opened
export PATH="$here/fake-browser:$PATH"

status=0
"$here/../../integration/win32/with-display.sh" "$state" "$winerun" --prefix "$prefix" \
  "$tests" --gtest_filter='UpdateCheck.*' "$program" || status=$?

echo "requests the server saw:"
grep -v READY "$log" || true
# Every check asked the fixed query address of the publisher's account.
if ! grep -q "^GET /fcg-bin/cgi_get_portrait.fcg?uins=[0-9][0-9]* Host: $host\$" "$log"; then
  echo "update-check.sh: no request for the portrait query reached the server" >&2
  status=1
fi
# The view button handed the release page to the browser.
if ! grep -qxF "$releasePage" "$SW_E2E_BROWSER_LOG" 2>/dev/null; then
  echo "update-check.sh: the release page $releasePage was not opened" >&2
  status=1
fi
exit $status
