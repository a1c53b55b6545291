#!/usr/bin/env bash
# Runs the Linux end-to-end suite: usage run_e2e.sh PROGRAM PROMPT_WINDOW BUILD_DIR
#
# As root, the suite runs in a network and mount namespace of its own: loopback is up,
# and a hosts file bind-mounted over /etc/hosts sends the update query's host to
# 127.0.0.1, where the suite serves the answers on port 80. The program is the one
# users run; nothing in it knows about the test. Without root the update-check cases
# are skipped. Everything else runs in a private Xvfb with openbox and a D-Bus session
# that carries the accessibility bus.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
export SW_E2E_PROGRAM=$1 SW_E2E_PROMPT=$2 SW_E2E_BUILD_DIR=$3 SW_E2E_REPO=$repo

if [ "${SW_E2E_IN_NAMESPACE:-}" = "" ] && [ "$(id -u)" -eq 0 ] && unshare --net --mount true 2>/dev/null; then
  export SW_E2E_IN_NAMESPACE=1
  exec unshare --net --mount "$0" "$@"
fi

if [ "${SW_E2E_IN_NAMESPACE:-}" = "1" ]; then
  ip link set lo up
  query_host=$(sed -n 's/.*kPortraitQueryHost = "\([^"]*\)".*/\1/p' "$repo/update/update_constants.h")
  hosts=$(mktemp)
  trap 'umount /etc/hosts 2>/dev/null || true; rm -f "$hosts"' EXIT
  printf '127.0.0.1 localhost %s\n::1 localhost\n' "$query_host" >"$hosts"
  mount --bind "$hosts" /etc/hosts
  export SW_E2E_QUERY_HOST=$query_host
fi

# Chinese titles are matched by xdotool through the locale.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export NO_AT_BRIDGE=0 GTK_A11Y=atk
# GTK, fontconfig and D-Bus keep caches for the life of the process that leak
# sanitizers report at exit; the program's own leaks are still reported.
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
exec "$repo/tests/integration/desktop/with_x_session.sh" \
  dbus-run-session -- /usr/bin/python3 "$here/e2e_test.py" -v
