#!/usr/bin/env bash
# Start-up benchmark: the program's start to its first painted main window against a bare Qt
# dialog, and against the same dialog with one line of text (what any text costs: the fonts),
# all three as whole processes in the application as the program sets it up, on the offscreen
# platform, run alternately RUNS times each after one warm-up run each.  Prints the median
# times from the start of the process to its first paint, the mean processor times (user +
# system) and the largest peak resident memory up to that paint, and the ratios to the bare
# dialog.  What a process does after its first paint, shutting down, is not counted.
#
#   bench/run_startup.sh [BUILD_DIR] [RUNS]      defaults: build, 20
set -euo pipefail

build=${1:-build}
runs=${2:-20}
bench=$build/bench
for exe in measure_first_paint bench_startup_program bench_startup_dialog bench_startup_text; do
  [ -x "$bench/$exe" ] || { echo "missing $bench/$exe: build the project first" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
"$bench/measure_first_paint" "$runs" \
    "$bench/bench_startup_program" "$bench/bench_startup_dialog" "$bench/bench_startup_text" |
awk -v runs="$runs" '
  { wall[NR] = $2; cpu[NR] = $3; rss[NR] = $4 }
  END {
    split("program|bare dialog|dialog with one text line", name, "|")
    printf "runs each:                  %d\n", runs
    for (i = 1; i <= 3; i++)
      printf "%-27s first paint %5.1f ms, processor %5.1f ms, peak RSS %4.1f MiB\n", name[i] ":", wall[i], cpu[i], rss[i]
    printf "time ratio:                 %.2f wall, %.2f processor (target <= 1.15); one text line alone %.2f\n",
           wall[1] / wall[2], cpu[1] / cpu[2], wall[3] / wall[2]
    printf "memory ratio:               %.2f (target <= 1.15); one text line alone %.2f\n",
           rss[1] / rss[2], rss[3] / rss[2]
  }'
