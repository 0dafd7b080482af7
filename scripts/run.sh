#!/usr/bin/env bash
# Sets everything up and runs the program's main job: the estimate of the
# shipped default case.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh release >&2
exec build/release/bin/keld-size build/release/bin/Files/default.ini
