#!/usr/bin/env bash
# Runs a command with DISPLAY set to the private X server recorded in STATE.
#   with-display.sh STATE COMMAND ARGS...
set -euo pipefail
state=${1:?state file}
shift
display=$(sed -n 's/^display=//p' "$state" 2>/dev/null || true)
[ -n "$display" ] || { echo "with-display.sh: no X server recorded in $state" >&2; exit 1; }
export DISPLAY=$display
exec "$@"
