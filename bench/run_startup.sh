#!/usr/bin/env bash
# Start-up benchmark: the program's start to its first painted main window against a bare Qt
# dialog started the same way, both as whole processes, run alternately RUNS times each
# (after one warm-up run each) on the offscreen platform.  Prints the median wall times, the
# mean processor times (user + system: less disturbed by other load on the machine), the peak
# resident memory of each and the ratios.
#
#   bench/run_startup.sh [BUILD_DIR] [RUNS]      defaults: build, 20
set -euo pipefail

build=${1:-build}
runs=${2:-20}
program=$build/bench/bench_startup_program
dialog=$build/bench/bench_startup_dialog
for exe in "$program" "$dialog"; do
  [ -x "$exe" ] || { echo "missing $exe: build the project first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen
rss_file=$(mktemp)
trap 'rm -f "$rss_file"' EXIT

# One run: prints "<wall microseconds> <peak RSS KiB> <user s> <system s>".
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M %U %S' -o "$rss_file" "$1" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(tail -n 1 "$rss_file")"
}

measure "$program" >/dev/null
measure "$dialog" >/dev/null
program_runs=()
dialog_runs=()
for ((i = 0; i < runs; i++)); do
  program_runs+=("$(measure "$program")")
  dialog_runs+=("$(measure "$dialog")")
done

# Median wall time in ms, mean processor time in ms and the largest peak RSS in MiB.
summary() {
  printf '%s\n' "$@" | sort -n | awk '
    { wall[NR] = $1; if ($2 > rss) rss = $2; cpu += $3 + $4 }
    END {
      median = (NR % 2) ? wall[(NR + 1) / 2] : (wall[NR / 2] + wall[NR / 2 + 1]) / 2
      printf "%.1f %.1f %.1f\n", median / 1000, cpu * 1000 / NR, rss / 1024
    }'
}

read -r program_ms program_cpu program_mb < <(summary "${program_runs[@]}")
read -r dialog_ms dialog_cpu dialog_mb < <(summary "${dialog_runs[@]}")
echo "runs each:              $runs"
echo "program to first paint: median $program_ms ms, processor $program_cpu ms, peak RSS $program_mb MiB"
echo "bare dialog:            median $dialog_ms ms, processor $dialog_cpu ms, peak RSS $dialog_mb MiB"
awk -v pt="$program_ms" -v dt="$dialog_ms" -v pc="$program_cpu" -v dc="$dialog_cpu" \
    -v pm="$program_mb" -v dm="$dialog_mb" 'BEGIN {
  printf "time ratio:             %.2f wall, %.2f processor (target <= 1.15)\n", pt / dt, pc / dc
  printf "memory ratio:           %.2f (target <= 1.15)\n", pm / dm
}'
