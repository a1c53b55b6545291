#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: clang, ASan, UBSan) and runs each for a
# bounded time, starting from its committed seeds. Fails when a target crashes, leaks,
# times out on one input or breaks one of its properties; the input that did it is
# left in the build folder as crash-*, leak-*, timeout-* or oom-*.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 30 s, every target)
#   FUZZ_BUILD_DIR=...  build folder (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_text fuzz_split fuzz_url fuzz_headers fuzz_cookies fuzz_web_access_response fuzz_wav)
fi
build=${FUZZ_BUILD_DIR:-build/fuzz}

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

failed=()
for target in "${targets[@]}"; do
  work=$build/fuzz/runs/$target
  mkdir -p "$work/corpus"
  echo "== fuzz: $target for ${seconds} s"
  # The committed seeds are read, new finds go to the build folder only.
  if ! (cd "$work" && "$OLDPWD/$build/fuzz/$target" corpus "$OLDPWD/fuzz/corpus/$target" \
          -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
          >"$target.log" 2>&1); then
    failed+=("$target")
    tail -n 40 "$work/$target.log" >&2
    ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null >&2 || true
  else
    grep -E '^Done [0-9]+ runs' "$work/$target.log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran ${seconds} s each without a finding"
