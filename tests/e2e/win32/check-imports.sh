#!/usr/bin/env bash
# The program must start from a bare folder: every DLL it imports is one of Windows' own.
#   check-imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=${1:?objdump} program=${2:?program}
allowed='^(kernel32|user32|gdi32|comctl32|shell32|winmm|msvcrt|advapi32|ole32|shlwapi|ws2_32|bcrypt|api-ms-win-[a-z0-9-]+)\.dll$'
dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || { echo "check-imports.sh: no imports found in $program" >&2; exit 1; }
status=0
while read -r dll; do
  if ! printf '%s\n' "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
    echo "not a Windows DLL: $dll" >&2
    status=1
  fi
done <<<"$dlls"
echo "imports:" $dlls
exit $status
