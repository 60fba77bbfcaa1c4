#!/usr/bin/env bash
# The school server under a school's load. Builds the Release benchmark, starts
# a PostgreSQL 15 of its own (tests/server/pgtemp.sh, TLS, flushing to disk as
# a real server does) and measures:
#   - COMPUTERS (100) classroom computers, each its own results database and
#     sender, recording 10 answers a second each for SECONDS (60): answers
#     lost or doubled, and the time from the local commit to the server's
#     (median, p99, max);
#   - recording on the pupil's thread while the server never answers;
#   - the teacher's reader over 1,000,000 answers of 500 pupils: open + table.
# Prints what it measured; fails only when it cannot run.
#
# Usage: bench/server_bench.sh [COMPUTERS] [SECONDS]
set -u
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build/bench"
COMPUTERS=${1:-100}
SECONDS_RUN=${2:-60}
fail() { echo "server_bench: $*" >&2; exit 1; }

[ -x /usr/lib/postgresql/15/bin/initdb ] || fail "PostgreSQL 15 is missing (Debian package postgresql-15)"
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
mkdir -p "$BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGONIOMA_TESTS=OFF >"$BUILD/server-bench-build.log" 2>&1 \
    || { cat "$BUILD/server-bench-build.log" >&2; fail "cmake could not configure the build"; }
cmake --build "$BUILD" --target gonioma_server_bench >>"$BUILD/server-bench-build.log" 2>&1 \
    || { tail -n 30 "$BUILD/server-bench-build.log" >&2; fail "the build failed"; }
BENCH="$BUILD/gonioma_server_bench"

WORK=$(mktemp -d) || fail "no temporary folder"
PG="$WORK/pg"
SILENT_PID=
cleanup() {
    [ -n "$SILENT_PID" ] && kill "$SILENT_PID" 2>/dev/null
    "$ROOT/tests/server/pgtemp.sh" remove "$PG"
    rm -rf "$WORK"
}
trap cleanup EXIT
PGTEMP_FSYNC=on "$ROOT/tests/server/pgtemp.sh" init "$PG" || fail "the server could not be made"
PORT=$("$ROOT/tests/server/pgtemp.sh" start "$PG") || fail "the server did not start"
. "$PG/env"
PASSWORD=$(openssl rand -hex 12)
psql -X -q -c "CREATE DATABASE gonioma" && PGDATABASE=gonioma psql -X -q -v ON_ERROR_STOP=1 \
    -v classroom_password="$PASSWORD" -f "$ROOT/share/gonioma/server-setup.sql" || fail "the set-up script failed"
PGDATABASE=gonioma psql -X -q -c "CREATE ROLE anna LOGIN PASSWORD 'anna' IN ROLE gonioma_teacher" || fail "no teacher role"
echo "server_bench: PostgreSQL $(psql -X -tA -c 'SHOW server_version') on 127.0.0.1:$PORT (TLS, fsync on); $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# ---- a school's load ---------------------------------------------------------
"$BENCH" load "$PORT" gonioma "$PASSWORD" "$COMPUTERS" 10 "$SECONDS_RUN"
PGDATABASE=gonioma psql -X -tA -F ' ' -c "
    SELECT 'load: server holds ' || count(*) || ' rows, ' || count(DISTINCT id) || ' distinct ids, from '
           || count(DISTINCT computer) || ' computers; commit to server: median '
           || round((percentile_cont(0.5) WITHIN GROUP (ORDER BY extract(epoch FROM received_at - answered_at)) * 1000)::numeric, 1)
           || ' ms, p99 '
           || round((percentile_cont(0.99) WITHIN GROUP (ORDER BY extract(epoch FROM received_at - answered_at)) * 1000)::numeric, 1)
           || ' ms, max '
           || round((max(extract(epoch FROM received_at - answered_at)) * 1000)::numeric, 1) || ' ms'
    FROM gonioma.answers"

# ---- recording while the server never answers --------------------------------
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(64)
print(s.getsockname()[1], flush=True)
time.sleep(600)' >"$WORK/silent.port" &
SILENT_PID=$!
for _ in $(seq 50); do [ -s "$WORK/silent.port" ] && break; sleep 0.1; done
"$BENCH" unreachable "$(cat "$WORK/silent.port")" 2000

# ---- the teacher's reader over a million answers -------------------------------
PGDATABASE=gonioma psql -X -q -c "TRUNCATE gonioma.answers;
    INSERT INTO gonioma.answers (id, answered_at, pupil, exercise, question, answer, is_right, attempt, class, computer)
    SELECT gen_random_uuid(), timestamptz '2026-01-08' + (g % 180) * interval '1 day' + (g % 28800) * interval '1 second',
           'Pupil ' || (g % 500), 'frmRuota' || (g % 10), 'sizes=35,120;target=90', 'typed=' || (g % 360),
           g % 3 <> 0, 1 + (g / 500) % 2, 'C' || (g % 500) / 25, 'lab-' || (g % 100)
    FROM generate_series(1, 1000000) AS g;" -c "VACUUM ANALYZE gonioma.answers" || fail "the million answers could not be made"
"$BENCH" reader "$PORT" gonioma anna anna
"$BENCH" reader "$PORT" gonioma anna anna | sed 's/^reader:/reader (again, warm):/'
