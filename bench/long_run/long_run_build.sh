# Sourced by long_run_*.sh from the repository's top folder.
# long_run_build PRESET TARGET...: sets `build` to $LONG_RUN_BUILD when that is given,
# else builds the targets with the preset and uses its build folder.
long_run_build() {
  local preset=$1
  shift
  if [ -n "${LONG_RUN_BUILD:-}" ]; then
    build=$LONG_RUN_BUILD
    return
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)" --target "$@"
  build=build/$preset
}
