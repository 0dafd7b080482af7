#!/usr/bin/env bash
# Screenshots of the desktop program as it opens on a real screen, for the
# README: the whole screen, so that one sees each window lies on it.
#
#   bash tools/screenshots.sh build/release/bin 1366x768 1     # the laptop screen
#   bash tools/screenshots.sh build/release/bin 2560x1440 2    # a large screen at scale 2
#
# Needs Xvfb, xdotool and ImageMagick (apt-get install xvfb xdotool imagemagick).
# Writes docs/screen-SIZE-WINDOW.png (a large screen halved).
set -euo pipefail
bin="$1"
size="$2"
scale="${3:-1}"
cd "$(dirname "$0")/.."
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 "${size}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $keld 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1
QT_SCALE_FACTOR="$scale" "$bin/keld" >/dev/null 2>&1 &
keld=$!
sleep 2

shot() { # name
    sleep 1.5
    local out="docs/screen-$size-$1.png"
    if [ "$scale" != 1 ]; then
        import -window root -resize 50% "$out"
    else
        import -window root "$out"
    fi
    echo "$out"
}

shot cover
xdotool key alt+t   # Tutorial
shot tutorial
xdotool key alt+z   # Zoom
shot zoom
xdotool key alt+b   # Back
sleep 1
xdotool key alt+c   # Calculations
shot sheet
xdotool key alt+c   # Calculate
sleep 1.5
xdotool key Return  # "All calculation completed without error."
shot report
xdotool key alt+c   # Calculations: back to the sheet
sleep 1
xdotool key alt+l   # Alternatives
shot alternatives
