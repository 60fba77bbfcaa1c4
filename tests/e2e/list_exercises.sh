#!/usr/bin/env bash
# `gonioma --list-exercises` prints the exercises the menu offers, one a line:
# the window's name, a tab, the menu button's caption in the current language.
# It ends with status 0 without a display, on the offscreen platform alike,
# from a folder without the sound helper, the sound module or the sounds.
#
# Usage: list_exercises.sh path/to/gonioma
set -u
TEST_NAME=e2e_list_exercises

fail() {
    echo "$TEST_NAME: FAILED: $*" >&2
    exit 1
}
say() { echo "$TEST_NAME: $*"; }

BIN=${1:-}
[ -n "$BIN" ] && [ -x "$BIN" ] || { echo "usage: $0 path/to/gonioma" >&2; exit 2; }
FROM=$(cd "$(dirname "$BIN")" && pwd)

WORK=$(mktemp -d) || fail "cannot make a temporary folder"
trap 'rm -rf "$WORK"' EXIT
export TMPDIR=$WORK
export LC_ALL=C.UTF-8

# The program with its language files and nothing else.
APP_DIR=$WORK/app
mkdir "$APP_DIR" && cp "$BIN" "$APP_DIR/gonioma" && cp "$FROM"/*.lng "$APP_DIR/" \
    || fail "cannot copy the program from $FROM"
APP=$APP_DIR/gonioma

use_language() { printf '[Language]\r\nCurrentLanguage=%s\r\n' "$1" >"$APP_DIR/LangSetting.ini"; }

. "$(dirname "$0")/ini_value.sh"

# list NAME [ENV...]: runs the listing with the environment given, its output
# in $WORK/NAME.out; fails on any status but 0 or on a report of the sanitizers.
list() {
    local name=$1
    shift
    env "$@" timeout 60 "$APP" --list-exercises >"$WORK/$name.out" 2>"$WORK/$name.err"
    local status=$?
    [ "$status" -eq 0 ] || { cat "$WORK/$name.err" >&2; fail "$name: the listing ended with status $status"; }
    ! grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$WORK/$name.err" \
        || { cat "$WORK/$name.err" >&2; fail "$name: the sanitizers reported a fault"; }
}

NO_DISPLAY=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

# ---- in French, with no display ---------------------------------------------
use_language Français
LNG=$APP_DIR/Français.lng
list french "${NO_DISPLAY[@]}"
[ -s "$WORK/french.out" ] || fail "no exercise was listed"
[ "$(tail -c 1 "$WORK/french.out" | od -An -c | tr -d ' ')" = '\n' ] || fail "the last line does not end"

# The captions the French file gives the menu's buttons.
awk '{ sub(/\r$/, "") } /^\[/ { inside = (tolower($0) == "[formmenu]"); next }
     inside && /^Command[0-9]+\.Caption=/ { v = substr($0, index($0, "=") + 1); gsub(/^"|"$/, "", v); print v }' \
    "$LNG" >"$WORK/french-buttons"

declare -A seen_name seen_caption
LINES=0
while IFS= read -r line; do
    LINES=$((LINES + 1))
    [ "$(printf '%s' "$line" | tr -cd '\t' | wc -c)" -eq 1 ] || fail "line $LINES is not a name, a tab and a caption: '$line'"
    name=${line%%$'\t'*}
    caption=${line#*$'\t'}
    [ -n "$name" ] && [ -n "$caption" ] || fail "line $LINES lacks a name or a caption: '$line'"
    [ -z "${seen_name[$name]:-}" ] || fail "$name is listed twice"
    [ -z "${seen_caption[$caption]:-}" ] || fail "two exercises share the caption '$caption'"
    seen_name[$name]=1
    seen_caption[$caption]=1
    [ -n "$(ini_value "$LNG" "$name" "$name.Caption")" ] || fail "$name is no window of the language file"
    grep -qxF -- "$caption" "$WORK/french-buttons" || fail "'$caption' is not the caption of a menu button in $LNG"
done <"$WORK/french.out"
say "$LINES exercises listed in French without a display, from a folder without sounds"

# ---- the same on the offscreen platform -------------------------------------
list offscreen QT_QPA_PLATFORM=offscreen
cmp -s "$WORK/french.out" "$WORK/offscreen.out" || fail "the offscreen platform lists other exercises"
say "the offscreen platform lists the same"

# ---- a language file without the menu's captions ----------------------------
# The menu then shows its built-in captions, which the Italian file repeats.
printf '[Strings]\r\n0001="Uscire?"\r\n' >"$APP_DIR/Vuota.lng"
use_language Vuota
list builtin "${NO_DISPLAY[@]}"
use_language Italiano
list italian "${NO_DISPLAY[@]}"
cmp -s "$WORK/builtin.out" "$WORK/italian.out" \
    || { diff "$WORK/builtin.out" "$WORK/italian.out" >&2; fail "the built-in captions are not those of the Italian file"; }
cut -f1 "$WORK/french.out" >"$WORK/french.names"
cut -f1 "$WORK/builtin.out" >"$WORK/builtin.names"
cmp -s "$WORK/french.names" "$WORK/builtin.names" || fail "the exercises or their order change with the language"
cmp -s "$WORK/french.out" "$WORK/builtin.out" && fail "the French captions were not used"
say "without captions in the language file the built-in ones are listed"

say "passed"
