#!/usr/bin/env bash
# Fetches and unpacks Debian's libpng source package into DEST (for the MinGW build,
# which needs libpng built for Windows). Uses a private source list derived from the
# machine's own apt sources, passed by option, so the system's apt settings stay as
# they are. Quiet and quick when DEST already holds the source.
#   fetch-libpng-source.sh DEST
set -euo pipefail
dest=${1:?usage: fetch-libpng-source.sh DEST}
if [ -f "$dest/png.h" ] && [ -f "$dest/CMakeLists.txt" ]; then exit 0; fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sources.list.d" "$work/lists/partial" "$work/cache/archives/partial" "$work/src"

# The machine's package sources, as source-package entries. The security archive is
# left out: it does not always carry the sources of its updates.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" } !/security/' "$f" |
    sed -E 's/^Types:.*/Types: deb-src/' > "$work/sources.list.d/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  grep -E '^deb ' /etc/apt/sources.list | grep -v security |
    sed -E 's/^deb /deb-src /' > "$work/sources.list.d/main.list" || true
fi

opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$work/sources.list.d"
      -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o "APT::Sandbox::User=root")
apt-get "${opts[@]}" -qq update
(cd "$work/src" && apt-get "${opts[@]}" -qq source libpng1.6 >"$work/source.log" 2>&1) ||
  { cat "$work/source.log" >&2; exit 1; }
srcdir=$(find "$work/src" -maxdepth 1 -mindepth 1 -type d -name 'libpng*' | head -n 1)
[ -n "$srcdir" ] || { echo "fetch-libpng-source: no libpng source unpacked" >&2; exit 1; }
mkdir -p "$(dirname "$dest")"
rm -rf "$dest"
mv "$srcdir" "$dest"
