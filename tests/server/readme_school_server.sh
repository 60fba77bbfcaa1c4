#!/usr/bin/env bash
# Runs every command of the README's school-server block against a PostgreSQL
# of the test's own (tests/server/pgtemp.sh), with the machine's paths and
# services turned into the test's: `runuser -u postgres --` becomes the test
# server's superuser, /etc and /root folders of a work folder, `systemctl
# restart postgresql` a restart of the test server, the server's name
# 127.0.0.1 and its port. Then a classroom computer (gonioma_send_driver)
# records answers and sends them with those settings, and the teacher's role
# made by the README reads them.
#
# Usage: readme_school_server.sh SOURCE_DIR SEND_DRIVER
set -u
SOURCE=${1:?usage: readme_school_server.sh SOURCE_DIR SEND_DRIVER}
DRIVER=${2:?usage: readme_school_server.sh SOURCE_DIR SEND_DRIVER}
fail() { echo "readme_school_server: FAILED: $*" >&2; exit 1; }
say() { echo "readme_school_server: $*"; }

[ -x /usr/lib/postgresql/15/bin/initdb ] || { say "PostgreSQL 15 is not installed: skipped"; exit 0; }
WORK=$(mktemp -d) || fail "no temporary folder"
PG="$WORK/pg"
trap '"$SOURCE/tests/server/pgtemp.sh" remove "$PG"; rm -rf "$WORK"' EXIT
"$SOURCE/tests/server/pgtemp.sh" init "$PG" || fail "the test server could not be made"
PORT=$("$SOURCE/tests/server/pgtemp.sh" start "$PG") || fail "the test server did not start"
. "$PG/env"
mkdir -p "$WORK/root" "$WORK/etc"

# The block's commands, one per line; a here-document is one command with its lines.
BLOCK=$(sed -n '/<!-- school-server/,/<!-- \/school-server -->/p' "$SOURCE/README.md" |
        awk '/^```sh/{inside=1; next} /^```/{inside=0; next} inside')
[ -n "$BLOCK" ] || fail "README.md has no school-server block"

translate() {
    sed -e "s|^apt install postgresql\$|dpkg-query -W postgresql-15 >/dev/null|" \
        -e "s|runuser -u postgres -- ||" \
        -e "s|systemctl restart postgresql|\"$SOURCE/tests/server/pgtemp.sh\" stop \"$PG\" \&\& \"$SOURCE/tests/server/pgtemp.sh\" start \"$PG\" >/dev/null|" \
        -e "s|/usr/share/gonioma/|$SOURCE/share/gonioma/|g" \
        -e "s|/etc/postgresql/15/main/|$PG/data/|g" \
        -e "s|/etc/gonioma|$WORK/etc/gonioma|g" \
        -e "s|/root/|$WORK/root/|g" \
        -e "s|listen_addresses = '\\*'|listen_addresses = '127.0.0.1'|" \
        -e "s|school-server:5432|127.0.0.1:$PORT|" \
        -e "s|^cp gonioma-classroom-password |cp $WORK/root/gonioma-classroom-password |"
}

TEACHER_PASSWORD="Anna's pass phrase"
commands=0
script="$WORK/commands.sh"
echo 'set -e' >"$script"
echo "$BLOCK" | translate >>"$script"
commands=$(echo "$BLOCK" | grep -cv '^\(\[\|Server=\|PasswordFile=\|Class=\|END\)')
# createuser --pwprompt asks twice; without a terminal it reads the answers from its input.
printf '%s\n%s\n' "$TEACHER_PASSWORD" "$TEACHER_PASSWORD" | setsid bash "$script" >"$WORK/commands.log" 2>&1 \
    || { cat "$WORK/commands.log" >&2; fail "a command of the README failed"; }
say "ran the README's $commands commands"

# The settings as the README left them.
CONF="$WORK/etc/gonioma/gonioma.conf"
grep -q "^Server=postgresql://gonioma_classroom@127.0.0.1:$PORT/gonioma?sslmode=require" "$CONF" || fail "the settings file is not as expected"
[ "$(stat -c %a "$WORK/etc/gonioma/classroom-password")" = 644 ] || fail "the password file is not readable by all"

# A classroom computer records 120 answers and sends them.
DB="$WORK/results.sqlite"
"$DRIVER" fill "$DB" 120 "Zoë" || fail "the answers could not be recorded"
GONIOMA_CONFIG="$CONF" timeout 120 "$DRIVER" send "$DB" || fail "the answers were not sent"

# The teacher's role reads them, as the README made it.
count=$(PGUSER=anna PGPASSWORD="$TEACHER_PASSWORD" PGDATABASE=gonioma psql -X -tA \
        -c "SELECT count(*) || '/' || count(DISTINCT id) || '/' || min(class) FROM gonioma.answers WHERE pupil = 'Zoë'") \
    || fail "the teacher cannot read the answers"
[ "$count" = "120/120/4B" ] || fail "the server holds $count answers, not 120/120/4B"
# And the classroom role cannot.
PGUSER=gonioma_classroom PGPASSWORD=$(cat "$WORK/etc/gonioma/classroom-password") PGDATABASE=gonioma \
    psql -X -tA -c "SELECT count(*) FROM gonioma.answers" >/dev/null 2>&1 && fail "the classroom role reads the answers"
say "the server holds the 120 answers once each; the teacher reads them, the classroom role cannot"
