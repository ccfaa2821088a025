#!/usr/bin/env bash
# Many catchments in one process: 10,000 parameters files computed by one
# `nutrient-load --calculate --format csv`, the CSV written to a file, with no display.  Prints
# the median time of the runs and the files per second beside the median of one calculation
# (bench_calculate).  Expects both programs built.
#
#   bench/bench_batch.sh [BUILD_DIR] [RUNS]      defaults: build, 5
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
files=10000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The standard set in Windows-1251 with CR LF, each file with its own point-source load of
# phosphorus (line 28), so that no two catchments are the same.
printf '%s\r\n' "Частный водосбор Финского залива" 25948 1684 1003 562 1 22439.52 633 3899 1.32 9.1 \
    0.00322 0 13.3 -0.93 1.9 -0.49 9.513 18.9 3.36 0.28 77.1 14.4 1.14 108030 69900 12311600 212 1324 \
    0 0 0.08 0.2 0.05 0.12 3.1 2.3 0.7 1.4 300 | iconv -f UTF-8 -t CP1251 > "$work/standard"
# $(...) drops trailing line ends; the "x" keeps them.
before=$(head -n 27 "$work/standard"; echo x)
after=$(tail -n +29 "$work/standard"; echo x)
mkdir "$work/files"
LC_ALL=C awk -v dir="$work/files" -v n="$files" -v before="${before%x}" -v after="${after%x}" 'BEGIN {
  for (i = 0; i < n; i++) {
    f = sprintf("%s/catchment-%05d.txt", dir, i)
    printf "%s%d\r\n%s", before, 150 + i % 200, after > f
    close(f)
  }
}'

cd "$work/files"
times=()
for ((run = 0; run < runs; run++)); do
  start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 \
    "$build/ui/nutrient-load" --calculate --format csv catchment-*.txt > "$work/results.csv"
  times+=($(( ($(date +%s%N) - start) / 1000 )))
  records=$(($(wc -l < "$work/results.csv") - 1))
  if [ "$records" -ne "$files" ]; then
    echo "bench_batch: $records records for $files files" >&2
    exit 1
  fi
done

median_us=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
calculate=$("$build/bench/bench_calculate")
calculate_us=$(echo "$calculate" | sed -n 's/^calculate: median \([0-9.]*\) us per call.*/\1/p')
awk -v us="$median_us" -v n="$files" -v runs="$runs" -v calc="$calculate_us" 'BEGIN {
  printf "batch: %d files in %.0f ms (median of %d runs), %.0f files per second, %.1f us per file; calculate alone: median %.2f us per call\n",
         n, us / 1000, runs, n / (us / 1e6), us / n, calc
}'
