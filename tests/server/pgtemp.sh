#!/usr/bin/env bash
# A PostgreSQL 15 server of the tests' own, in a temporary folder: made with
# Debian's initdb, started with pg_ctl on a free port of 127.0.0.1, with TLS
# (a self-signed certificate made here by openssl) and password log-in only.
# As root, the server runs as the unprivileged user postgres (or nobody), who
# owns the folder.
#
#   pgtemp.sh init DIR          make the cluster (superuser gonioma_admin, password in DIR/admin.password)
#   pgtemp.sh start DIR [PORT]  start it (on PORT, else on the port it had, else a free one); prints the port
#   pgtemp.sh stop DIR [MODE]   stop it (MODE fast by default; immediate to cut it off)
#   pgtemp.sh remove DIR        stop it if it runs and delete the folder
# PGTEMP_FSYNC=on makes the server flush to disk as a real one does (off by default, for speed).
# Environment for psql afterwards: . DIR/env  (PGHOST PGPORT PGUSER PGPASSWORD PGSSLMODE)
set -u
BIN=${PG_BIN:-/usr/lib/postgresql/15/bin}
die() { echo "pgtemp: $*" >&2; exit 1; }

command=${1:-}
DIR=${2:-}
[ -n "$command" ] && [ -n "$DIR" ] || die "usage: pgtemp.sh init|start|stop|remove DIR"

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u "$(cat "$DIR/owner")" -- "$@"
    else
        "$@"
    fi
}

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

case "$command" in
init)
    [ -x "$BIN/initdb" ] || die "$BIN/initdb is missing (Debian package postgresql-15)"
    mkdir -p "$DIR" || die "cannot make $DIR"
    owner=$(id -un)
    if [ "$(id -u)" -eq 0 ]; then
        owner=postgres
        id postgres >/dev/null 2>&1 || owner=nobody
    fi
    echo "$owner" >"$DIR/owner"
    openssl rand -hex 16 >"$DIR/admin.password"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost \
        -keyout "$DIR/server.key" -out "$DIR/server.crt" >"$DIR/openssl.log" 2>&1 || die "openssl could not make a certificate"
    chmod 600 "$DIR/server.key" "$DIR/admin.password"
    chmod 755 "$DIR"
    if [ "$(id -u)" -eq 0 ]; then
        chown -R "$owner" "$DIR"
        # The owner must reach the folder: a temporary parent made for root alone is opened to pass through.
        parent=$(dirname "$DIR")
        runuser -u "$owner" -- test -x "$parent" || chmod o+x "$parent"
    fi
    as_owner "$BIN/initdb" -D "$DIR/data" -U gonioma_admin --pwfile="$DIR/admin.password" -A scram-sha-256 \
        -E UTF8 --locale=C.UTF-8 --no-sync >"$DIR/initdb.log" 2>&1 || { cat "$DIR/initdb.log" >&2; die "initdb failed"; }
    cat >"$DIR/data/pg_hba.conf" <<HBA
local all all scram-sha-256
hostssl all all 127.0.0.1/32 scram-sha-256
hostnossl all all 127.0.0.1/32 reject
HBA
    cat >>"$DIR/data/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$DIR'
ssl = on
ssl_cert_file = '$DIR/server.crt'
ssl_key_file = '$DIR/server.key'
fsync = ${PGTEMP_FSYNC:-off}
full_page_writes = off
synchronous_commit = off
max_connections = 200
shared_buffers = 64MB
CONF
    ;;
start)
    port=${3:-}
    [ -n "$port" ] || port=$(cat "$DIR/port" 2>/dev/null)
    [ -n "$port" ] || port=$(free_port)
    echo "$port" >"$DIR/port"
    [ "$(id -u)" -eq 0 ] && chown "$(cat "$DIR/owner")" "$DIR/port"
    cat >"$DIR/env" <<ENV
export PGHOST=127.0.0.1 PGPORT=$port PGUSER=gonioma_admin PGPASSWORD=$(cat "$DIR/admin.password") PGSSLMODE=require PGDATABASE=postgres
ENV
    as_owner "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -o "-p $port" -w -t 30 start >"$DIR/pg_ctl.log" 2>&1 \
        || { tail -n 20 "$DIR/server.log" >&2; die "the server did not start"; }
    echo "$port"
    ;;
stop)
    as_owner "$BIN/pg_ctl" -D "$DIR/data" -m "${3:-fast}" -w -t 30 stop >>"$DIR/pg_ctl.log" 2>&1 || true
    ;;
remove)
    [ -d "$DIR/data" ] && as_owner "$BIN/pg_ctl" -D "$DIR/data" -m immediate -w stop >/dev/null 2>&1
    rm -rf "$DIR"
    ;;
*)
    die "unknown command $command"
    ;;
esac
