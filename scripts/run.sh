#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target nutrient-load
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/ui/nutrient-load
fi
exec build/ui/nutrient-load
