#!/usr/bin/env bash
# Writes everything keld-size prints for the project files of the repository
# (test data, shipped data, fuzz seeds and regressions) into one folder, so
# that a restructuring can be checked byte for byte:
#
#   bash tools/output_snapshot.sh build/dev/bin/keld-size /tmp/before
#   ... change the code, rebuild ...
#   bash tools/output_snapshot.sh build/dev/bin/keld-size /tmp/after
#   diff -r /tmp/before /tmp/after
#
# The report carries today's date: take both snapshots on the same day.
set -uo pipefail
size="$1"
out="$2"
cd "$(dirname "$0")/.."
mkdir -p "$out"
files=(tests/cli/data/*.ini data/Files/*.ini tests/fuzz/corpus/project/* tests/fuzz/regressions/project/*)

run() { # name, arguments...
    local name="$1"
    shift
    "$size" "$@" >"$out/$name.out" 2>"$out/$name.err"
    echo "exit $?" >>"$out/$name.out"
}

for f in "${files[@]}"; do
    n=$(echo "$f" | tr '/' '_')
    run "$n.report" "$f"
    run "$n.json" --json "$f"
    run "$n.auto" --json --auto-rows "$f"
    run "$n.price" --json --price 123456 "$f"
    run "$n.sweep" --sweep "$f"
    run "$n.sweepcsv" --sweep --csv --units metric --lengths 20,24,30 "$f"
done
run batch.text "${files[@]}"
run batch.csv --csv "${files[@]}"
run batch.metric --csv --units metric "${files[@]}"
run batch.json --json "${files[@]}"
run sweep.materials --sweep --csv --materials all data/Files/default.ini
run sweep.metric --sweep --materials all tests/cli/data/condensing_metric.ini
