#!/usr/bin/env bash
# Runs tools/make_resources.py into a fresh folder and compares every file it
# writes, byte for byte, with the one committed in resources/.
#   generator_matches.sh PYTHON SOURCE_DIR
set -euo pipefail
python=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$python" "$source_dir/tools/make_resources.py" "$out"
count=0
for made in "$out"/*; do
  name=$(basename "$made")
  cmp "$made" "$source_dir/resources/$name"
  count=$((count + 1))
done
# icon.ico, eight icon PNGs, three pictures and the chime.
if [ "$count" -ne 13 ]; then
  echo "expected 13 generated files, got $count" >&2
  exit 1
fi
echo "all $count generated files match resources/"
