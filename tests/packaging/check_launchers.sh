#!/usr/bin/env bash
# On a Russian desktop the region settings set the locale of numbers to ru_RU.UTF-8, whose
# decimal separator is a comma, and the program started directly stops at the first figure.
# Both launchers give it a point: the desktop entry's Exec line, run as a desktop runs it with
# the file the entry is opened with (%f), and scripts/start.sh, which scripts/run.sh starts
# the build with.  The probe stands in for nutrient-load.
#   check_launchers.sh DESKTOP_ENTRY START_SH PROBE PARAMETERS_FILE
set -euo pipefail
entry=$1 start=$2 probe=$3 file=$4
expected="L 3126.5 15065.9"

bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
ln -s "$probe" "$bin/nutrient-load"
export PATH="$bin:$PATH" DISPLAY=:0  # the probe opens no window: no Xvfb
russian=(env LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 LC_NUMERIC=ru_RU.UTF-8)

check() {
  local name=$1 status=0 out
  shift
  out=$("${russian[@]}" "$@") || status=$?
  if [ "$status" -ne 0 ] || [ "$out" != "$expected" ]; then
    printf '%s: exit status %s, printed:\n%s\n' "$name" "$status" "$out"
    return 1
  fi
}

# Started directly, the program follows the environment.
if out=$("${russian[@]}" nutrient-load "$file") || ! grep -q "is not a valid floating point value" <<<"$out"; then
  printf 'started directly under a decimal comma, printed:\n%s\n' "$out"
  exit 1
fi

read -ra command <<<"$(sed -n 's/^Exec=//p' "$entry")"
for i in "${!command[@]}"; do
  if [ "${command[$i]}" = "%f" ]; then command[$i]=$file; fi
done
check "desktop entry" "${command[@]}"
check "scripts/start.sh" "$start" nutrient-load "$file"
