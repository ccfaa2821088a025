#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it (with a point as the decimal separator,
# under Xvfb when there is no display); arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)" --target nutrient-load
exec scripts/start.sh build/ui/nutrient-load "$@"
