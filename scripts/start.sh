#!/usr/bin/env bash
# Starts a build of the program as the menu entry starts the installed one: with a point as the
# decimal separator (LC_ALL removed, since it would override LC_NUMERIC), and under Xvfb when
# there is no display.
#   scripts/start.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
point=(env -u LC_ALL LC_NUMERIC=C.UTF-8)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec "${point[@]}" xvfb-run -a "$@"
fi
exec "${point[@]}" "$@"
