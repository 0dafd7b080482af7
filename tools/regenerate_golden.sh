#!/usr/bin/env bash
# Rewrites the golden files of keld-size's outputs (tests/cli/data/golden/)
# from the keld-size of a build, then shows what changed. Read the diff: a
# golden file is a promise about keld-size's output, and every line that
# changes should be one the change meant to make. The test command never
# rewrites them (it refuses to run with KELD_REGENERATE set).
#
#   bash tools/regenerate_golden.sh          # with the dev preset's build
#   bash tools/regenerate_golden.sh asan     # or another preset's
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
cmake --preset "${preset}" >/dev/null
cmake --build --preset "${preset}" -j"$(nproc)" --target keld-size keld_data
KELD_REGENERATE=1 ctest --preset "${preset}" -R '^cli\.golden\.' --output-on-failure >/dev/null || true
git --no-pager diff --stat -- tests/cli/data/golden
git --no-pager diff -- tests/cli/data/golden
