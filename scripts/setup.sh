#!/usr/bin/env bash
# Installs what the build needs from Debian 12 packages (only what is missing),
# then configures and builds the given preset (default: release). Packages
# named after the preset are installed as well (the tests ask for fonts).
# With KELD_SETUP_ONLY=1 it installs and stops there.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-release}"
shift || true

packages=(build-essential cmake pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev
          qt6-base-dev qt6-charts-dev
          desktop-file-utils appstream librsvg2-bin dpkg-dev
          poppler-utils
          "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

[ "${KELD_SETUP_ONLY:-0}" = 1 ] && exit 0
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
