#!/usr/bin/env bash
# Sets everything up and runs the program: the desktop program when there is a
# display to show it on; without one, the estimate of the shipped default case
# printed by keld-size.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh release >&2
bin=build/release/bin
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/keld"
fi
echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the desktop" \
     "program cannot open; here is the report of the default case from keld-size." >&2
exec "$bin/keld-size" "$bin/Files/default.ini"
