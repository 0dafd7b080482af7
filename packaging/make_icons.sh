#!/usr/bin/env bash
# Renders the PNG icons from icons/keld.svg, one per size of the hicolor theme
# that the package installs: icons/<N>x<N>/keld.png. Run it after editing the
# drawing and commit the PNGs with it. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"

if ! command -v rsvg-convert >/dev/null; then
    echo "make_icons.sh: rsvg-convert is missing; install the package librsvg2-bin" >&2
    exit 1
fi

for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
        --output "${size}x${size}/keld.png" keld.svg
    echo "icons/${size}x${size}/keld.png"
done
