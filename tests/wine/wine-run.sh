#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix.
#   wine-run.sh --prefix DIR --init       make the prefix (once; quiet when it exists)
#   wine-run.sh --prefix DIR PROGRAM ARGS run PROGRAM in it, passing its exit code on
set -euo pipefail
prefix=""
if [ "${1:-}" = "--prefix" ]; then prefix=$2; shift 2; fi
[ -n "$prefix" ] || { echo "wine-run.sh: --prefix DIR is required" >&2; exit 2; }
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono/Gecko installer prompts; no idle CPU from the bus drivers.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winebus.sys,wineusb.sys=d"}
wine=$(command -v wine64 || command -v wine || true)
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
[ -n "$wine" ] || { echo "wine-run.sh: wine is not installed" >&2; exit 2; }

if [ "${1:-}" = "--init" ]; then
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    "$wine" wineboot --init >/dev/null 2>&1 || true
    wineserver_bin=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
    "$wineserver_bin" -w 2>/dev/null || true
  fi
  [ -f "$prefix/system.reg" ] || { echo "wine-run.sh: could not initialise $prefix" >&2; exit 1; }
  exit 0
fi
exec "$wine" "$@"
