#!/usr/bin/env bash
# Builds the Release results benchmark and measures the results:
#   - one school year of one class (30 pupils x 180 days x 60 answers, about
#     324,000 answers) generated into build/bench/school-year/gonioma/results.sqlite,
#     which is what the account whose XDG_DATA_HOME is build/bench/school-year
#     sees: `XDG_DATA_HOME=$PWD/build/bench/school-year build/bench/gonioma`;
#   - the time recording adds to a judged answer on the UI thread (median),
#     on a copy of that year;
#   - the CSV export of the year;
#   - 200 rounds of SIGKILL at random moments while answers are recorded.
# It prints what it measured; it fails only when it cannot run or a SIGKILL
# round finds a damaged, doubled or short database.
#
# Usage: bench/results.sh [kill rounds]   (200 by default)
set -u

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/bench"
ROUNDS=${1:-200}
YEAR="$BUILD/school-year/gonioma/results.sqlite"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
mkdir -p "$BUILD"
LOG="$BUILD/results-bench-build.log"
echo "bench: building the Release results benchmark in $BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGONIOMA_TESTS=OFF >"$LOG" 2>&1 \
    || { cat "$LOG" >&2; exit 1; }
cmake --build "$BUILD" -j "$(nproc 2>/dev/null || echo 2)" --target gonioma_results_bench gonioma >>"$LOG" 2>&1 \
    || { tail -n 40 "$LOG" >&2; exit 1; }
BENCH="$BUILD/gonioma_results_bench"
echo "bench: $(nproc 2>/dev/null || echo '?') cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

"$BENCH" generate "$YEAR" 30 180 60 || exit 1
cp "$YEAR" "$WORK/results.sqlite"
"$BENCH" record "$WORK/results.sqlite" 500
"$BENCH" export "$YEAR" "$WORK/year.csv"
# The command a teacher runs, on the same year.
start=$(date +%s%N)
XDG_DATA_HOME="$BUILD/school-year" "$BUILD/gonioma" --export-results "$WORK/cli.csv" \
    && echo "export: gonioma --export-results took $(( ($(date +%s%N) - start) / 1000000 )) ms, $(wc -l <"$WORK/cli.csv") lines"
"$BENCH" kill "$WORK/killed.sqlite" "$ROUNDS"
