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
#      seconds of fuzzing each from the committed seed corpus;
#   6. the sweep's threads under ThreadSanitizer (preset tsan: the core and
#      its tests of the sweep alone).
# Each stage's time is printed at the end. A test that is skipped fails the
# run, as a failed test does: a skip hides what it would have checked.
set -euo pipefail
cd "$(dirname "$0")/.."

# The golden files are compared here, never rewritten: that is
# tools/regenerate_golden.sh's work, whose diff is read before committing.
if [ -n "${KELD_REGENERATE+set}" ]; then
    echo "test.sh: KELD_REGENERATE is set, which would rewrite the golden files instead of" \
         "comparing them. Unset it; rewrite them with bash tools/regenerate_golden.sh." >&2
    exit 2
fi

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

# Runs ctest with the given arguments for a build folder's preset, then fails
# when a test was skipped: ctest's own skips in its summary, QtTest's SKIP and
# GoogleTest's SKIPPED in the tests' output (which ctest keeps in
# LastTest.log and counts as passed).
tests_without_skips() {
    local preset="$1"
    shift
    local summary="build/${preset}/Testing/summary.txt"
    mkdir -p "build/${preset}/Testing"
    ctest --preset "${preset}" "$@" | tee "${summary}"
    local skipped
    skipped=$( (grep -E '\*\*\*Skipped' "${summary}" || true
                grep -E '^SKIP   :|\[  SKIPPED \] [A-Za-z]' \
                     "build/${preset}/Testing/Temporary/LastTest.log" || true) | sort -u)
    if [ -n "${skipped}" ]; then
        echo "test.sh: tests were skipped in build/${preset}; a skip counts as a failure:" >&2
        echo "${skipped}" >&2
        return 1
    fi
}

checked_tests() {
    tests_without_skips asan -j"${jobs}"
}

release_package() {
    cmake --preset release >/dev/null
    cmake --build --preset release -j"${jobs}" --target keld_install_files
    # Verbose: the log shows lintian's findings and the package's SHA-256.
    tests_without_skips release -L package --verbose
}

fuzz() {
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j"${jobs}"
    tests_without_skips fuzz -j"${jobs}"
}

thread_sanitizer() {
    cmake --preset tsan >/dev/null
    cmake --build --preset tsan -j"${jobs}"
    tests_without_skips tsan
}

total_start=$SECONDS
stage "setup and layout" setup_and_layout
stage "checked build" checked_build
stage "checked tests" checked_tests
stage "release package" release_package
stage "fuzz build and smoke tests" fuzz
stage "thread sanitizer" thread_sanitizer
printf '%s\n' "${times[@]}" "all: $((SECONDS - total_start)) s"
