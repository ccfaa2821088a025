#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default -j"$(nproc)" --target nutrient-load
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/ui/nutrient-load
fi
exec build/ui/nutrient-load
