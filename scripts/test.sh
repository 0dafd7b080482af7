#!/usr/bin/env bash
# Sets everything up and runs every test, in five stages:
#   1. setup and layout: the Debian packages the build and the checks need,
#      then clang-format over every C++ source (the layout .clang-format says);
#   2. the checked build (preset asan): everything, benchmarks included, with
#      warnings as errors, assertions on, AddressSanitizer,
#      UndefinedBehaviorSanitizer and LeakSanitizer;
#   3. all its tests (core, cli, gui, install);
#   4. the release package: the release build (preset release, the one
#      scripts/run.sh makes) of what the package holds, the Debian package
#      built once and checked by lintian, desktop-file-validate,
#      appstreamcli and for what makes it reproducible;
#   5. the fuzz build (clang, libFuzzer) and the fuzz smoke tests, a few
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
# fixed-pitch face must line its columns up with any of them. clang builds
# the fuzz targets; clang-format checks the layout; lintian checks the
# package and groff the manual pages; python3-pil lets the picture tool check
# the pages against keld-size.
test_packages=(clang clang-format lintian groff-base python3-pil
               fonts-noto-mono fonts-urw-base35 fonts-dejavu-core fonts-liberation)

setup_and_layout() {
    KELD_SETUP_ONLY=1 bash scripts/setup.sh asan "${test_packages[@]}"
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
}

checked_build() {
    cmake --preset asan >/dev/null
    cmake --build --preset asan -j"${jobs}"
}

checked_tests() {
    ctest --preset asan -j"${jobs}"
}

release_package() {
    cmake --preset release >/dev/null
    cmake --build --preset release -j"${jobs}" --target keld_install_files
    # Verbose: the log shows lintian's findings and the package's SHA-256.
    ctest --preset release -L package --verbose
}

fuzz() {
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j"${jobs}"
    ctest --preset fuzz -j"${jobs}"
}

total_start=$SECONDS
stage "setup and layout" setup_and_layout
stage "checked build" checked_build
stage "checked tests" checked_tests
stage "release package" release_package
stage "fuzz build and smoke tests" fuzz
printf '%s\n' "${times[@]}" "all: $((SECONDS - total_start)) s"
