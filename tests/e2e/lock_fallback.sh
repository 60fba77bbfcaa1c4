#!/usr/bin/env bash
# With the temporary directory unusable for the single-instance lock (TMPDIR is
# a regular file), the lock falls back to the runtime directory: a second copy
# still shows only its warning, and the stale lock of a killed copy there does
# not stop the next start.
#
# Usage: lock_fallback.sh path/to/gonioma
TEST_NAME=e2e_lock_fallback
BIN=${1:-}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
. "$(dirname "$0")/xsession.sh"

copy_program "$BIN" "$WORK/app"
SPLASH=$(window_title "$WORK/app" FormAvvio)
WARNING=$(ini_value "$WORK/app/Italiano.lng" Strings 0038)
[ -n "$SPLASH" ] && [ -n "$WARNING" ] || fail "texts missing from the language file"
NOT_A_FOLDER="$WORK/not-a-folder"
: >"$NOT_A_FOLDER"

x_start 1280x1024
WAIT=40

TMPDIR=$NOT_A_FOLDER start_program first
FIRST=$STARTED
wait_for 1 "$SPLASH" "$WAIT" "$FIRST"
compgen -G "$XDG_RUNTIME_DIR/gonioma-*.lock" >/dev/null || fail "no lock in the runtime directory"
say "with the temporary directory unusable the lock is in the runtime directory"

TMPDIR=$NOT_A_FOLDER start_program second
SECOND=$STARTED
wait_for 1 "$WARNING" "$WAIT" "$SECOND"
[ "$(count_titled "$SPLASH")" -eq 1 ] || fail "the second copy opened a window beside its warning"
kill -TERM "$SECOND" && wait "$SECOND" 2>/dev/null
say "a second copy shows only its warning"

kill -KILL "$FIRST" && wait "$FIRST" 2>/dev/null
wait_for 0 "$SPLASH" 10 0
compgen -G "$XDG_RUNTIME_DIR/gonioma-*.lock" >/dev/null || fail "the killed copy left no lock: nothing stale to test"
TMPDIR=$NOT_A_FOLDER start_program third
THIRD=$STARTED
wait_for 1 "$SPLASH" "$WAIT" "$THIRD"
[ "$(count_titled "$WARNING")" -eq 0 ] || fail "the stale lock of a killed copy was taken for a running one"
say "a new copy starts past the stale lock of a killed one"
say "passed"
