#!/usr/bin/env bash
# Compares language files for translators: lists, for every pair of files,
# the keys (section and key) that one file has and the other lacks, and
# points out lines that are not in the form Key="text", keys given twice,
# a byte-order mark, mixed line ends and text that is not valid UTF-8.
# Section [Language] holds settings of the file itself (RightToLeft=1 for a
# language written from right to left), not texts: only some files have it,
# so its keys are not compared and its values need no quotes.
#
# Usage: tools/check-lng.sh [file.lng ...]
#        (without arguments: every data/*.lng of this source tree)
# Exit status: 0 when all files agree and are well formed, 1 otherwise.

set -euo pipefail
export LC_ALL=C

if (($# == 0)); then
    data_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data" && pwd)"
    shopt -s nullglob
    set -- "$data_dir"/*.lng
    shopt -u nullglob
fi
if (($# < 1)); then
    echo "check-lng: no language files found" >&2
    exit 1
fi

status=0

# Prints "section<TAB>key" for every value line of a language file. Section
# and key are matched without regard to case when the program reads them, so
# the comparison below uses lower case; the original spelling is kept after a
# second tab for the report. Format problems go to standard error.
keys_of() {
    awk -v file="$1" '
        { crlf += sub(/\r$/, ""); lines++ }
        NR == 1 && /^\xef\xbb\xbf/ { print file ": starts with a byte-order mark" > "/dev/stderr"; bad = 1; sub(/^\xef\xbb\xbf/, "") }
        /^[ \t]*$/ || /^;/ { next }
        /^\[[^]]+\]$/ { section = substr($0, 2, length($0) - 2); next }
        tolower(section) == "language" {
            if (!/^[^ \t=;[]+=[^\r\n]*$/) { print file ":" NR ": not in the form Key=value: " $0 > "/dev/stderr"; bad = 1 }
            next
        }
        !/^[^ \t=;[]+="[^\r\n]*"$/ {
            print file ":" NR ": not in the form Key=\"text\": " $0 > "/dev/stderr"; bad = 1; next
        }
        {
            key = substr($0, 1, index($0, "=") - 1)
            id = tolower(section) "\t" tolower(key)
            if (id in seen) { print file ":" NR ": key given twice in [" section "]: " key > "/dev/stderr"; bad = 1 }
            seen[id] = 1
            print id "\t[" section "] " key
        }
        END {
            if (crlf > 0 && crlf < lines) { print file ": mixes CRLF and LF line ends" > "/dev/stderr"; bad = 1 }
            exit bad
        }' "$1"
}

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

for ((i = 1; i <= $#; i++)); do
    f="${!i}"
    if [[ ! -r "$f" ]]; then
        echo "$f: cannot be read" >&2
        status=1
        : > "$tmp/$i"
        continue
    fi
    if command -v iconv > /dev/null && ! iconv -f UTF-8 -t UTF-8 "$f" > /dev/null 2>&1; then
        echo "$f: not valid UTF-8" >&2
        status=1
    fi
    keys_of "$f" > "$tmp/$i" || status=1
done

# For each ordered pair, the keys of the first file that the second lacks.
for ((i = 1; i <= $#; i++)); do
    for ((j = 1; j <= $#; j++)); do
        ((i == j)) && continue
        missing="$(awk -F'\t' 'NR == FNR { have[$1 "\t" $2] = 1; next }
                               !(($1 "\t" $2) in have) { print "  " $3 }' "$tmp/$j" "$tmp/$i")"
        if [[ -n "$missing" ]]; then
            echo "In ${!i} but missing in ${!j}:"
            echo "$missing"
            status=1
        fi
    done
done

# Same keys in a different order are allowed but make files harder to compare.
for ((i = 2; i <= $#; i++)); do
    if ! cmp -s <(cut -f1,2 "$tmp/1" | sort) <(cut -f1,2 "$tmp/$i" | sort); then
        continue
    fi
    if ! cmp -s <(cut -f1,2 "$tmp/1") <(cut -f1,2 "$tmp/$i"); then
        echo "note: ${!i} has the keys of $1 in another order"
    fi
done

if ((status == 0)); then
    echo "$# language files, $(wc -l < "$tmp/1") keys each, all alike."
fi
exit "$status"
