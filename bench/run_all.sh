#!/usr/bin/env bash
# Every benchmark of the project in one command: builds what they need in the build folder
# (configuring it first when it has not been), runs the start-up comparison (run_startup.sh),
# the load calculation (bench_calculate), the analyses (bench_analysis), many files computed in
# one process (bench_batch.sh), the uncertainty analysis on one thread and on two
# (bench_uncertainty) and a basin of 10,000 sub-catchments as a chain and as a tree
# (bench_basin), then prints a short table against the targets.
#
#   bench/run_all.sh [BUILD_DIR] [RUNS]      defaults: build, 20
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=${1:-build}
runs=${2:-20}

if [ ! -f "$build/CMakeCache.txt" ]; then
  # The default preset's settings, in whichever folder was given.
  cmake -S "$source_dir" -B "$build" --preset default >/dev/null
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
sanitized=$(sed -n 's/^NUTRIENT_SANITIZE:[A-Z]*=//p' "$build/CMakeCache.txt")
case "$build_type" in
  Release | RelWithDebInfo) ;;
  *) echo "warning: $build is a '$build_type' build; figures of an optimised build are the ones that count" >&2 ;;
esac
case "$sanitized" in
  ON | TRUE | 1) echo "warning: $build is built with sanitizers; its figures are not the program's" >&2 ;;
esac
cmake --build "$build" -j2 --target bench_calculate bench_analysis bench_uncertainty bench_basin \
    measure_first_paint \
    bench_startup_program bench_startup_dialog bench_startup_text nutrient-load >/dev/null

load_before=$(cut -d ' ' -f 1 /proc/loadavg)
startup=$("$here/run_startup.sh" "$build" "$runs")
calculate=$("$build/bench/bench_calculate")
analysis=$("$build/bench/bench_analysis")
batch=$("$here/bench_batch.sh" "$build" 5)
uncertainty=$("$build/bench/bench_uncertainty" 11)
basin=$("$build/bench/bench_basin" 5)
echo "$startup"
echo "$calculate"
echo "$analysis"
echo "$batch"
echo "$uncertainty"
echo "$basin"
echo

# "<name>: first paint T ms, processor P ms, peak RSS M MiB" -> "T P M"
figures() { echo "$startup" | sed -n "s/^$1: *first paint *\([0-9.]*\) ms, processor *\([0-9.]*\) ms, peak RSS *\([0-9.]*\) MiB/\1 \2 \3/p"; }
read -r program_ms program_cpu program_mb < <(figures program)
read -r dialog_ms dialog_cpu dialog_mb < <(figures "bare dialog")
read -r text_ms text_cpu text_mb < <(figures "dialog with one text line")
calculate_us=$(echo "$calculate" | sed -n 's/^calculate: median \([0-9.]*\) us per call.*/\1/p')
target_ms=$(echo "$analysis" | sed -n 's/^target search: median \([0-9.]*\) ms.*/\1/p')
sensitivity_ms=$(echo "$analysis" | sed -n 's/^sensitivity table: median \([0-9.]*\) ms.*/\1/p')
batch_ms=$(echo "$batch" | sed -n 's/^batch: [0-9]* files in \([0-9.]*\) ms.*/\1/p')
# "uncertainty: T thread(s): median M ms ..." -> M
uncertainty_ms() { echo "$uncertainty" | sed -n "s/^uncertainty: $1 threads*: median \([0-9.]*\) ms.*/\1/p"; }
uncertainty1_ms=$(uncertainty_ms 1)
uncertainty2_ms=$(uncertainty_ms 2)
basin_ms() { echo "$basin" | sed -n "s/^basin $1: [0-9]* sub-catchments in \([0-9.]*\) ms.*/\1/p"; }
chain_ms=$(basin_ms chain)
tree_ms=$(basin_ms tree)

echo "machine: $(nproc) processors, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)," \
     "1-minute load average $load_before before the runs; $build_type build; $runs runs each"
awk -v pt="$program_ms" -v dt="$dialog_ms" -v tt="$text_ms" -v pc="$program_cpu" -v dc="$dialog_cpu" \
    -v pm="$program_mb" -v dm="$dialog_mb" -v tm="$text_mb" -v calc="$calculate_us" -v batch="$batch_ms" \
    -v search="$target_ms" -v sensitivity="$sensitivity_ms" -v unc1="$uncertainty1_ms" -v unc2="$uncertainty2_ms" \
    -v chain="$chain_ms" -v tree="$tree_ms" '
  function row(name, value, unit, base, target, met) {
    line = sprintf("%-36s %7.1f %-3s %7.1f %-3s %6.2f  %-8s %s", name, value, unit, base, unit, value / base,
                   target, target == "" ? "" : met ? "met" : "MISSED")
    sub(/ +$/, "", line)
    print line
  }
  BEGIN {
    printf "%-36s %11s %11s %6s  %s\n", "benchmark", "measured", "bare dialog", "ratio", "target"
    row("program: start to first paint", pt, "ms", dt, "<= 1.15", pt / dt <= 1.15)
    row("program: processor to first paint", pc, "ms", dc, "", 0)
    row("program: peak memory to first paint", pm, "MiB", dm, "<= 1.15", pm / dm <= 1.15)
    row("one text line: start to first paint", tt, "ms", dt, "", 0)
    row("one text line: peak memory", tm, "MiB", dm, "", 0)
    printf "%-36s %7.1f %-3s%19s  %-8s %s\n", "calculate: median per call", calc, "us", "", "< 20 us",
           calc < 20 ? "met" : "MISSED"
    printf "%-36s %7.2f %-3s%19s  %-8s %s\n", "target search: median", search, "ms", "", "< 5 ms",
           search < 5 ? "met" : "MISSED"
    printf "%-36s %7.2f %-3s%19s  %-8s %s\n", "sensitivity table: median", sensitivity, "ms", "", "< 20 ms",
           sensitivity < 20 ? "met" : "MISSED"
    printf "%-36s %7.0f %-3s%19s  %-8s %s\n", "10,000 files with --calculate (CSV)", batch, "ms", "", "< 1 s",
           batch < 1000 ? "met" : "MISSED"
    printf "%-36s %7.0f %-3s\n", "10,000 uncertainty draws, 1 thread", unc1, "ms"
    printf "%-36s %7.0f %-3s%19s  %-8s %s\n", "10,000 uncertainty draws, 2 threads", unc2, "ms", "", "< 150 ms",
           unc2 < 150 ? "met" : "MISSED"
    printf "%-36s %7.0f %-3s%19s  %-8s %s\n", "basin of 10,000 as a chain (JSON)", chain, "ms", "", "< 1 s",
           chain < 1000 ? "met" : "MISSED"
    printf "%-36s %7.0f %-3s%19s  %-8s %s\n", "basin of 10,000 as a tree (JSON)", tree, "ms", "", "< 1 s",
           tree < 1000 ? "met" : "MISSED"
  }'
