# Shared by the end-to-end scripts (sourced, not run): a private work folder,
# a private X server, a copy of the program with its data that a test may
# damage, and ways to look at and click on the screen.
#
# The sourcing script sets TEST_NAME first and calls `x_start` before using
# the display.

set -u

fail() {
    echo "$TEST_NAME: FAILED: $*" >&2
    for log in "${WORK:-/nonexistent}"/*.log; do
        [ -s "$log" ] || continue
        echo "---- $(basename "$log") (last lines)" >&2
        tail -n 30 "$log" >&2
    done
    exit 1
}

say() { echo "$TEST_NAME: $*"; }

for tool in Xvfb xwininfo xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (packages xvfb, x11-utils, xdotool)"
done

# A private temporary folder: the program keeps its lock there, so a real run
# on this machine is neither seen nor disturbed.
WORK=$(mktemp -d) || fail "cannot make a temporary folder"
export TMPDIR="$WORK"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The account's settings and results, and the school's settings, of this run
# alone: the answers a test gives are never kept on the machine's account.
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" GONIOMA_CONFIG="$WORK/school/gonioma.conf"
# The test runner asks for the offscreen platform; here the windows are real.
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8

PIDS=()    # the program's copies: killed at the end
HELPERS=() # services a script starts (an accessibility bus): asked to end
XVFB=
# stop_helper PID: asks a helper to end, so it tidies up; forces it after 5s.
stop_helper() {
    local i
    kill -TERM "$1" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
_x_cleanup() {
    local pid i
    for pid in "${PIDS[@]}"; do
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    # Last started, first stopped; the X server last, so it takes its lock
    # and socket away.
    for ((i = ${#HELPERS[@]} - 1; i >= 0; i--)); do
        stop_helper "${HELPERS[i]}"
    done
    [ -z "$XVFB" ] || stop_helper "$XVFB"
    rm -rf "$WORK"
}
trap _x_cleanup EXIT
trap 'exit 130' INT TERM HUP

# ---- a copy of the program ---------------------------------------------------

# The sound back end: a helper the program starts from its own folder.
SOUND_HELPER=gonioma-sound

# copy_program BIN DIR: the program with its sound helper, language files,
# settings and sounds in DIR (it finds them beside itself); sets APP.
copy_program() {
    local bin=$1 dir=$2 from
    from=$(cd "$(dirname "$bin")" && pwd)
    mkdir -p "$dir" || fail "cannot make $dir"
    cp "$bin" "$from/$SOUND_HELPER" "$dir/" && cp "$from"/*.lng "$from/LangSetting.ini" "$dir/" \
        && cp -r "$from/suoni" "$dir/" || fail "cannot copy the program from $from"
    APP="$dir/$(basename "$bin")"
}

. "$(dirname "${BASH_SOURCE[0]}")/ini_value.sh"

# language_text DIR: the path of the current language file of the program in
# DIR, in UTF-8 (a Windows-1252 file is converted into the work folder), as
# the X server and the accessibility bus report texts.
language_text() {
    local dir=$1 language lng
    language=$(ini_value "$dir/LangSetting.ini" Language CurrentLanguage 2>/dev/null)
    [ -n "$language" ] && [ -f "$dir/$language.lng" ] || language=Italiano
    lng="$dir/$language.lng"
    [ -f "$lng" ] || fail "no language file $lng beside the program"
    if iconv -f UTF-8 -t UTF-8 "$lng" >/dev/null 2>&1; then
        echo "$lng"
    else
        iconv -f WINDOWS-1252 -t UTF-8 "$lng" >"$WORK/language.lng" || fail "cannot read $lng"
        echo "$WORK/language.lng"
    fi
}

# window_title DIR SECTION: the title a window takes from the language file
# of the program in DIR.
window_title() {
    local lng
    lng=$(language_text "$1") || exit 1
    ini_value "$lng" "$2" "$2.Caption"
}

# The title of the program's questions ("esci", "Esci").
QUESTION_TITLE="Esercitazioni sugli gonioma"

# ---- a private X server ------------------------------------------------------

_display_taken() {
    local pid
    [ -e "/tmp/.X$1-lock" ] || return 1
    pid=$(tr -dc '0-9' <"/tmp/.X$1-lock" 2>/dev/null)
    [ -z "$pid" ] || [ -d "/proc/$pid" ]
}

# x_start [WIDTHxHEIGHT]: a private server on the first free display from :60.
x_start() {
    local size=${1:-1280x1024} n
    DISPLAY_NUMBER=
    for n in $(seq 60 89); do
        _display_taken "$n" && continue
        # -noreset: the server would otherwise reset when its last client
        # goes and refuse the next one for a moment.
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
        XVFB=$!
        for _ in $(seq 50); do
            if xwininfo -root -display ":$n" >/dev/null 2>&1; then
                DISPLAY_NUMBER=$n
                break
            fi
            kill -0 "$XVFB" 2>/dev/null || break
            sleep 0.1
        done
        [ -n "$DISPLAY_NUMBER" ] && break
        kill -TERM "$XVFB" 2>/dev/null
        wait "$XVFB" 2>/dev/null
        XVFB=
    done
    [ -n "$DISPLAY_NUMBER" ] || fail "could not start Xvfb on any display from :60 to :89"
    export DISPLAY=":$DISPLAY_NUMBER"
    read -r SCREEN_W SCREEN_H < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
}

# ---- a sound device ------------------------------------------------------------

# null_audio_start: a private sound server with one device that plays into
# nothing, so the program's sounds go through the real back end; false when
# the server is not installed (the program then finds no device).
null_audio_start() {
    command -v pulseaudio >/dev/null || return 1
    HOME="$WORK" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L module-null-sink -L module-native-protocol-unix >"$WORK/pulseaudio.log" 2>&1 &
    PIDS+=("$!")
    for _ in $(seq 50); do
        [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && return 0
        sleep 0.1
    done
    fail "the sound server did not start"
}

# ---- the program's processes -------------------------------------------------

start_program() { # start_program NAME [OPTION...]: starts $APP, its pid in STARTED
    local name=$1
    shift
    "$APP" "$@" >"$WORK/$name.log" 2>&1 &
    STARTED=$!
    PIDS+=("$STARTED")
}

# sanitizer_clean LOG: no report of the sanitizers in the log.
sanitizer_clean() {
    ! grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$1"
}

# ---- looking at the screen ---------------------------------------------------

# Ids of the mapped windows whose title is TITLE.
windows_titled() {
    local title=$1 id
    xwininfo -root -tree 2>/dev/null \
        | awk -v a="\"$title\":" -v b="\"$title — " 'index($0, a) || index($0, b) { print $1 }' \
        | while read -r id; do
            xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$id"
        done
}

count_titled() { windows_titled "$1" | wc -l; }

# wait_for COUNT TITLE SECONDS PID: until COUNT windows titled TITLE are shown;
# fails at once if the process PID (0: none) ends meanwhile.
wait_for() {
    local want=$1 title=$2 seconds=$3 pid=$4 i
    for ((i = 0; i < seconds * 5; i++)); do
        [ "$(count_titled "$title")" -eq "$want" ] && return 0
        if [ "$pid" -ne 0 ] && ! kill -0 "$pid" 2>/dev/null; then
            fail "the program ended while waiting for $want window(s) titled '$title'"
        fi
        sleep 0.2
    done
    fail "expected $want window(s) titled '$title' within ${seconds}s, found $(count_titled "$title")"
}

# click_at FX FY: a click at a fraction of the screen's width and height (the
# windows fill the screen from its top left corner: there is no window manager).
click_at() {
    xdotool mousemove "$(awk -v f="$1" -v w="$SCREEN_W" 'BEGIN { printf "%d", f * w }')" \
        "$(awk -v f="$2" -v h="$SCREEN_H" 'BEGIN { printf "%d", f * h }')" click 1
}

# ends_within PID SECONDS: true when the process has ended within that time
# (measured in tenths); its exit status in ENDED_STATUS, the time in ENDED_AFTER.
ends_within() {
    local pid=$1 limit=$2 start now
    start=$(date +%s%N)
    while kill -0 "$pid" 2>/dev/null; do
        now=$(date +%s%N)
        [ $(((now - start) / 1000000)) -le $((limit * 1000)) ] || return 1
        sleep 0.05
    done
    now=$(date +%s%N)
    wait "$pid"
    ENDED_STATUS=$?
    ENDED_AFTER=$(awk -v ns=$((now - start)) 'BEGIN { printf "%.2f", ns / 1e9 }')
    return 0
}
