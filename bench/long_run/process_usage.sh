# What the long runs read of a Linux process: sourced by long_run_*.sh.
rss_kib() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
fd_count() { find "/proc/$1/fd" -mindepth 1 -maxdepth 1 | wc -l; }
threads() { awk '/^Threads:/ {print $2}' "/proc/$1/status"; }
# Nanoseconds on a CPU so far, summed over the process's live threads: finer than the
# clock ticks of /proc/PID/stat, which a quiet process may not reach in a minute.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
# print_idle_cpu WHAT NANOSECONDS SECONDS
print_idle_cpu() {
  awk -v what="$1" -v ns="$2" -v s="$3" \
    'BEGIN { printf "%s: %.4f %% of one core over %.1f s (%.1f ms)\n", what, 100 * ns / 1e9 / s, s, ns / 1e6 }'
}
