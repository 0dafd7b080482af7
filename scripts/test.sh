#!/usr/bin/env bash
# Sets everything up and runs every test, three times over:
#   1. the dev build (warnings as errors) and all its tests;
#   2. the asan build and all its tests (core, cli, gui) under
#      AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer;
#   3. the fuzz build (clang, libFuzzer) and the fuzz smoke tests, about 20
#      seconds of fuzzing each from the committed seed corpus.
# Each stage's time is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="$(nproc)"
times=()
stage() {
    local name="$1"
    shift
    local start=$SECONDS
    echo "=== ${name}"
    "$@"
    times+=("${name}: $((SECONDS - start)) s")
}

# The fonts that common packages bring onto users' machines: the report's
# fixed-pitch face must line its columns up with any of them.
test_fonts=(fonts-noto-mono fonts-urw-base35 fonts-dejavu-core fonts-liberation)

dev() {
    bash scripts/setup.sh dev "${test_fonts[@]}"
    ctest --preset dev -j"${jobs}"
}

asan() {
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j"${jobs}"
    ctest --preset asan -j"${jobs}"
}

fuzz() {
    # The fuzz targets need clang and its libFuzzer runtime (Debian 12: clang).
    if ! command -v clang++ >/dev/null 2>&1; then
        local sudo_cmd=""
        [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
        $sudo_cmd apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq clang
    fi
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j"${jobs}"
    ctest --preset fuzz -j"${jobs}"
}

total_start=$SECONDS
stage "dev build and tests" dev
stage "asan build and tests" asan
stage "fuzz build and smoke tests" fuzz
printf '%s\n' "${times[@]}" "all: $((SECONDS - total_start)) s"
