#!/usr/bin/env bash
# Installs the built tree into a temporary prefix, as a school would install it,
# and checks what the desktop and a packager look at: the layout (the sound
# helper beside the program, which itself links no sound library), the desktop
# entry and the software-centre entry (with the desktop's own validators), the
# icon at every size, that a re-install keeps the chosen language, and that the
# launcher starts the installed program, which finds its language files and
# sound helper and prints nothing but, on a machine without sound, one line
# saying so. Then it builds the Debian package and checks its control fields
# (the sound helper's libraries among its dependencies) and its files, and has
# lintian find no error and no warning in it.
#
# Usage: check-install.sh BUILD_DIR SOURCE_DIR
set -u

fail() {
    echo "install_and_package: FAILED: $*" >&2
    for log in "${WORK:-/nonexistent}"/*.log; do
        [ -s "$log" ] || continue
        echo "---- $(basename "$log") (last lines)" >&2
        tail -n 20 "$log" >&2
    done
    exit 1
}
say() { echo "install_and_package: $*"; }

BUILD=${1:-}
SOURCE=${2:-}
[ -f "$BUILD/cmake_install.cmake" ] && [ -d "$SOURCE/cmake" ] || {
    echo "usage: $0 BUILD_DIR SOURCE_DIR" >&2
    exit 2
}
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream xvfb-run:xvfb \
            xwininfo:x11-utils readelf:binutils dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev cpack:cmake \
            lintian:lintian groff:groff-base; do
    command -v "${tool%%:*}" >/dev/null || fail "${tool%%:*} is missing (package ${tool##*:})"
done

WORK=$(mktemp -d) || fail "cannot make a temporary folder"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
PROGRAM_DIR="$PREFIX/lib/gonioma"
SOUND_HELPER=gonioma-sound

install_tree() {
    cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || fail "cmake --install failed"
}

# ---- the installed tree -----------------------------------------------------

# The language files are whatever data/ holds; their names are the language
# names the menu shows, in their own script ("Español", "العربية").
LANGUAGES=()
for f in "$SOURCE"/data/*.lng; do LANGUAGES+=("$(basename "$f")"); done
[ ${#LANGUAGES[@]} -ge 4 ] || fail "fewer than four language files in $SOURCE/data"

# same_languages DIR: DIR holds every language file, byte for byte, and no other.
same_languages() {
    local f
    for f in "${LANGUAGES[@]}"; do
        cmp -s "$SOURCE/data/$f" "$1/$f" || return 1
    done
    [ "$(find "$1" -maxdepth 1 -name '*.lng' | wc -l)" -eq ${#LANGUAGES[@]} ]
}

install_tree
for f in bin/gonioma lib/gonioma/gonioma lib/gonioma/$SOUND_HELPER; do
    [ -x "$PREFIX/$f" ] || fail "$f is not an installed program"
done
for f in LangSetting.ini suoni/no.wav suoni/si1.wav suoni/si2.wav suoni/si3.wav suoni/si4.wav; do
    [ -s "$PROGRAM_DIR/$f" ] || fail "lib/gonioma/$f is missing"
done
same_languages "$PROGRAM_DIR" || fail "lib/gonioma does not hold the ${#LANGUAGES[@]} language files of data/ as they are"
say "lib/gonioma holds the ${#LANGUAGES[@]} language files"
# The sound libraries come with the sound helper, a process of its own that the
# program starts a moment after start-up.
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
needed "$PROGRAM_DIR/gonioma" | grep -q Multimedia && fail "the program links Qt Multimedia itself"
needed "$PROGRAM_DIR/$SOUND_HELPER" | grep -q '^libQt6Multimedia\.' || fail "the sound helper does not link Qt Multimedia"
say "the sound helper lies beside the program and links Qt Multimedia, which the program does not"

DESKTOP_FILES=("$PREFIX"/share/applications/*.desktop)
[ ${#DESKTOP_FILES[@]} -eq 1 ] && [ -f "${DESKTOP_FILES[0]}" ] || fail "expected one desktop entry"
DESKTOP=${DESKTOP_FILES[0]}
APP_ID=$(basename "$DESKTOP" .desktop)
METAINFO="$PREFIX/share/metainfo/$APP_ID.metainfo.xml"
[ -f "$METAINFO" ] || fail "no software-centre entry named after $APP_ID"

desktop-file-validate "$DESKTOP" >"$WORK/desktop-file-validate.log" 2>&1 || fail "desktop-file-validate"
appstreamcli validate --no-net "$METAINFO" >"$WORK/appstream.log" 2>&1 || fail "appstreamcli validate"
# The entry with a published screenshot, written the way the build writes it.
SHOT_ENTRY="$WORK/shot/$APP_ID.metainfo.xml"
mkdir -p "$WORK/shot"
cmake -DMETAINFO_TEMPLATE="$SOURCE/data/gonioma.metainfo.xml.in" -DMETAINFO_OUT="$SHOT_ENTRY" \
      -DGONIOMA_APP_ID="$APP_ID" -DPROJECT_VERSION=9.9 -DGONIOMA_RELEASE_DATE=2000-01-01 \
      "-DSCREENSHOT_URL=https://screenshots.invalid/menu.png?size=1&lang=it" \
      -P "$SOURCE/cmake/WriteMetainfo.cmake" || fail "cannot write the entry with a screenshot"
grep -q '<image>https://screenshots.invalid/menu.png?size=1&amp;lang=it</image>' "$SHOT_ENTRY" \
    || fail "the screenshot address is not in the entry"
appstreamcli validate --no-net "$SHOT_ENTRY" >"$WORK/appstream-screenshot.log" 2>&1 \
    || fail "appstreamcli validate, entry with a screenshot"
say "the desktop entry and the software-centre entry validate"

# They name one another, the launcher on the PATH and the icon of the theme.
grep -qx "Exec=gonioma" "$DESKTOP" || fail "the desktop entry does not start the launcher"
grep -qx "Icon=gonioma" "$DESKTOP" || fail "the desktop entry does not name the theme's icon"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$METAINFO" \
    || fail "the software-centre entry does not name the desktop entry"
for lang in it en; do
    if [ $lang = en ]; then pattern='<summary>'; else pattern="<summary xml:lang=\"$lang\">"; fi
    grep -q "$pattern" "$METAINFO" || fail "no summary for '$lang'"
done

# The manual page, compressed, names every option the program's help lists.
MANUAL="$PREFIX/share/man/man1/gonioma.1.gz"
gzip -t "$MANUAL" 2>/dev/null || fail "no compressed manual page in share/man/man1"
zcat "$MANUAL" | groff -man -ww -z 2>"$WORK/groff.log" && [ ! -s "$WORK/groff.log" ] || fail "groff warns about the manual page"
zcat "$MANUAL" | groff -man -Tutf8 -P-cbou 2>/dev/null | sed 's/\xe2\x80\x90/-/g' >"$WORK/manual.txt"
QT_QPA_PLATFORM=offscreen "$PREFIX/bin/gonioma" --help >"$WORK/help.txt" 2>"$WORK/help.log" || fail "gonioma --help"
OPTIONS=$(grep -o -- '--[a-z-]*' "$WORK/help.txt" | sort -u)
[ -n "$OPTIONS" ] || fail "the help lists no option"
for option in $OPTIONS; do
    grep -qF -- "$option" "$WORK/manual.txt" || fail "the manual page does not describe $option"
done
say "the manual page is there, compressed, and describes the $(echo "$OPTIONS" | wc -l) options of the help"

# One action per exercise, in menu order, each opening its exercise.
QT_QPA_PLATFORM=offscreen "$PREFIX/bin/gonioma" --list-exercises 2>/dev/null | cut -f1 >"$WORK/exercises"
[ -s "$WORK/exercises" ] || fail "the installed program lists no exercise"
[ "$(sed -n 's/^Actions=//p' "$DESKTOP")" = "$(tr '\n' ';' <"$WORK/exercises")" ] \
    || fail "the desktop entry's actions are not the exercises: $(grep '^Actions=' "$DESKTOP")"
while read -r exercise; do
    sed -n "/^\[Desktop Action $exercise\]\$/,/^\[/p" "$DESKTOP" | grep -qx "Exec=gonioma --exercise $exercise --no-splash" \
        || fail "the action $exercise does not open its exercise"
done <"$WORK/exercises"
say "the desktop entry has an action for each of the $(wc -l <"$WORK/exercises") exercises"

# png_size FILE: width and height from the PNG header.
png_size() {
    [ "$(od -An -tx1 -j1 -N3 "$1" | tr -d ' \n')" = 504e47 ] || return 1
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }'
}
ICONS="$PREFIX/share/icons/hicolor"
[ -s "$ICONS/scalable/apps/gonioma.svg" ] || fail "no scalable icon"
for n in 16 22 24 32 48 64 128 256; do
    [ "$(png_size "$ICONS/${n}x${n}/apps/gonioma.png")" = "${n}x${n}" ] || fail "no ${n}x${n} PNG icon"
done
say "the icon is there at every size"

# ---- a re-install keeps the language a school chose --------------------------

printf '[Language]\r\nCurrentLanguage=English\r\n' >"$PROGRAM_DIR/LangSetting.ini"
chmod 0664 "$PROGRAM_DIR/LangSetting.ini"
install_tree
grep -q "CurrentLanguage=English" "$PROGRAM_DIR/LangSetting.ini" || fail "a re-install overwrote LangSetting.ini"
[ "$(stat -c %a "$PROGRAM_DIR/LangSetting.ini")" = 664 ] || fail "a re-install changed the settings' permissions"
say "a re-install keeps LangSetting.ini"

# ---- the launcher starts the installed program --------------------------------
# A first copy shows its splash; a second one only its warning, whose title is
# message 0038 of the language named in the installed settings.

BOX_TITLE=$(sed -n 's/^0038="\(.*\)"\r\{0,1\}$/\1/p' "$PROGRAM_DIR/English.lng")
[ -n "$BOX_TITLE" ] || fail "message 0038 is missing from English.lng"

cat >"$WORK/run.sh" <<'EOF'
# Runs on the private X server of xvfb-run: LAUNCHER, BOX_TITLE, WORK given.
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
titled() { xwininfo -root -tree 2>/dev/null | grep -cF "\"$1\": (\"gonioma\""; }
wait_for() { # wait_for TITLE PID
    for _ in $(seq 150); do
        [ "$(titled "$1")" -ge 1 ] && return 0
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}
"$LAUNCHER" >"$WORK/first.log" 2>&1 &
FIRST=$!
wait_for Gonioma "$FIRST" || { echo "the splash did not come up" >"$WORK/result"; exit 0; }
"$LAUNCHER" >"$WORK/second.log" 2>&1 &
SECOND=$!
if wait_for "$BOX_TITLE" "$SECOND"; then echo ok >"$WORK/result"; else echo "no warning titled '$BOX_TITLE'" >"$WORK/result"; fi
# The sounds are looked at a moment after the first window.
sleep 1
kill -TERM "$SECOND" "$FIRST" 2>/dev/null
wait "$SECOND" "$FIRST" 2>/dev/null
exit 0
EOF
mkdir -m 700 "$WORK/tmp"
TMPDIR="$WORK/tmp" XDG_RUNTIME_DIR="$WORK/tmp" XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config" LAUNCHER="$PREFIX/bin/gonioma" BOX_TITLE="$BOX_TITLE" WORK="$WORK" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$WORK/run.sh" >"$WORK/xvfb-run.log" 2>&1
[ "$(cat "$WORK/result" 2>/dev/null)" = ok ] || fail "installed program: $(cat "$WORK/result" 2>/dev/null || echo 'did not run')"
# Nothing but, without a sound device, one line that says so.
NOISE=$(grep -v -x "Gonioma: no audio device, so sounds are off." "$WORK/first.log")
[ -z "$NOISE" ] || fail "the program printed more than the line about the sounds"
[ "$(grep -c . "$WORK/first.log")" -le 1 ] || fail "the line about the sounds came more than once"
say "the launcher starts the installed program, which reads its languages ('$BOX_TITLE') and keeps quiet"

# ---- the Debian package ------------------------------------------------------

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" >"$WORK/cpack.log" 2>&1 || fail "cpack -G DEB"
DEBS=("$WORK"/deb/*.deb)
[ ${#DEBS[@]} -eq 1 ] && [ -f "${DEBS[0]}" ] || fail "cpack made no single .deb"
DEB=${DEBS[0]}

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = gonioma ] || fail "package name '$(field Package)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture '$(field Architecture)'"
grep -q "<release version=\"$(field Version)\"" "$METAINFO" || fail "version $(field Version) is not the release's"
[ "$(field Section)" = education ] || fail "section '$(field Section)'"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "no maintainer or description"
DEPENDS=", $(field Depends),"
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 fonts-comic-neue fonts-dejavu-core; do
    [[ "$DEPENDS" == *", $dep"[\ ,]* ]] || fail "the package does not depend on $dep: $DEPENDS"
done
[ "$(dpkg-deb -I "$DEB" conffiles)" = /etc/gonioma/LangSetting.ini ] || fail "LangSetting.ini is not a configuration file"

# One line per entry: its kind (- file, d folder, l link) and its path.
dpkg-deb -c "$DEB" | awk '{ line = substr($1, 1, 1); for (i = 6; i <= NF; i++) line = line " " $i; print line }' \
    >"$WORK/contents"
has() { grep -qxF -e "$1" "$WORK/contents" || fail "the package lacks '$1'"; }
has "- ./usr/bin/gonioma"
has "- ./usr/lib/gonioma/gonioma"
has "- ./usr/lib/gonioma/$SOUND_HELPER"
for f in suoni/no.wav suoni/si1.wav suoni/si4.wav; do
    has "- ./usr/lib/gonioma/$f"
done
# The listing may escape names outside ASCII: the language files are checked
# in the unpacked package instead.
dpkg-deb -x "$DEB" "$WORK/unpacked" || fail "dpkg-deb -x"
same_languages "$WORK/unpacked/usr/lib/gonioma" \
    || fail "the package does not hold the ${#LANGUAGES[@]} language files of data/ as they are"
has "- ./etc/gonioma/LangSetting.ini"
has "l ./usr/lib/gonioma/LangSetting.ini -> /etc/gonioma/LangSetting.ini"
has "- ./usr/share/applications/$APP_ID.desktop"
has "- ./usr/share/metainfo/$APP_ID.metainfo.xml"
has "- ./usr/share/icons/hicolor/scalable/apps/gonioma.svg"
has "- ./usr/share/icons/hicolor/256x256/apps/gonioma.png"
has "- ./usr/share/man/man1/gonioma.1.gz"
OUTSIDE=$(awk '$2 !~ /^\.\/(usr|etc)\// && $2 != "./"' "$WORK/contents")
[ -z "$OUTSIDE" ] || fail "the package lays files outside /usr and /etc: $OUTSIDE"
! grep -q "/local/" "$WORK/contents" || fail "the package lays files under /usr/local"
say "the package $(basename "$DEB") holds the tree under /usr, its settings in /etc"
has "- ./usr/share/doc/gonioma/copyright"
has "- ./usr/share/doc/gonioma/changelog.gz"
for script in preinst postinst prerm postrm; do
    ! dpkg-deb -I "$DEB" "$script" 2>/dev/null | grep -q ldconfig || fail "the $script script calls ldconfig"
done

# Debian's package checker finds no error and no warning.
lintian --tag-display-limit 0 --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 \
    || { grep -E '^[EW]: ' "$WORK/lintian.log" >&2 || cat "$WORK/lintian.log" >&2; fail "lintian on $(basename "$DEB")"; }
say "lintian finds no error and no warning in the package"

say "passed"
