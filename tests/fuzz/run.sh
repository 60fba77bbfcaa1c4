#!/usr/bin/env bash
# Runs one fuzz target for a while from its seeds and says what it did.
#   run.sh path/to/fuzz_target seed-folder seconds
# New inputs the fuzzer finds go to a folder beside the target, never into the
# seeds kept in the tree; an input that breaks a property or crashes is saved
# there as crash-* and printed, and the run fails.
set -u
BIN=${1:?fuzz target}
SEEDS=${2:?seed folder}
SECONDS_TO_RUN=${3:-20}
NAME=$(basename "$BIN")
OUT="$(dirname "$BIN")/$NAME.out"
mkdir -p "$OUT/corpus"
rm -f "$OUT"/crash-* "$OUT"/leak-* "$OUT"/timeout-* "$OUT"/oom-*

LOG="$OUT/last-run.log"
"$BIN" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$OUT/" "$OUT/corpus" "$SEEDS" >"$LOG" 2>&1
STATUS=$?
RUNS=$(awk '/stat::number_of_executed_units:/ { print $2 }' "$LOG")
if [ "$STATUS" -ne 0 ]; then
    tail -n 60 "$LOG"
    for found in "$OUT"/crash-* "$OUT"/leak-* "$OUT"/timeout-* "$OUT"/oom-*; do
        [ -e "$found" ] || continue
        echo "---- input that failed: $found"
        od -c "$found" | head -n 20
    done
    echo "$NAME: FAILED after ${RUNS:-?} executions"
    exit 1
fi
echo "$NAME: ${RUNS:-?} executions in ${SECONDS_TO_RUN} s, no crash, every property held"
