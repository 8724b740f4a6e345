#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ID3v2 tags, whole processes over FILES files named on one command line:
# reading: tessel-cli tags over files with an ID3v2.3 tag and an ID3v1 block, against the
# same over files with the ID3v1 block alone;
# writing a title: tessel-cli tag --title T against id3v2 -t T (id3lib) and, with
# --mid3v2, mid3v2 -t T (mutagen), over the files with both tags.
# Each round times every command once, in turns whose order rotates from round to round;
# before each write the files are copied back from a pristine set (untimed), and the disk is
# synced before each turn. Output goes to /dev/null.
# Reports min and median wall time and CPU median of each, and the ratios of the medians.
#
# usage: bench/id3v2_vs_tools.sh [--files N] [--rounds N] [--cli PATH] [--mid3v2]
# needs: id3v2 (apt-get install id3v2); --mid3v2 needs python3-mutagen
set -euo pipefail

files=10000
rounds=5
cli=""
mid=0
while (($#)); do
    case "$1" in
        --files) files=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --mid3v2) mid=1; shift ;;
        *) echo "usage: $0 [--files N] [--rounds N] [--cli PATH] [--mid3v2]" >&2; exit 2 ;;
    esac
done
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${cli:-$here/build-release/src/cli/tessel-cli}
[[ -x $cli ]] || { echo "no tessel-cli at $cli (--cli PATH)" >&2; exit 2; }
command -v id3v2 >/dev/null || { echo "id3v2 is not installed (apt-get install id3v2)" >&2; exit 2; }
((mid == 0)) || command -v mid3v2 >/dev/null ||
    { echo "mid3v2 is not installed (apt-get install python3-mutagen)" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessel-id3v2-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export XDG_STATE_HOME=$scratch/state
python3 "$here/bench/make_tagged_files.py" "$scratch/v1" "$files"
python3 "$here/bench/make_tagged_files.py" "$scratch/pristine" "$files" --id3v2
cp -a "$scratch/pristine" "$scratch/v2"

timed() {
    local out=$1
    shift
    sync
    local TIMEFORMAT='%3R %3U %3S'
    { time "$@" >/dev/null 2>"$scratch/stderr"; } 2>>"$out" || {
        # tessel-cli tag exits 4 only when ID3v1 loses characters, which these titles do not.
        cat "$scratch/stderr" >&2
        exit 1
    }
}
restore() { rm -rf "$scratch/v2" && cp -a "$scratch/pristine" "$scratch/v2"; }
check_title() {
    local title
    title=$("$cli" tags "$scratch/v2/song00007.mp3" | cut -f2)
    [[ $title == "$1" ]] || { echo "$2 left the title \"$title\", not \"$1\"" >&2; exit 1; }
}

read_v2() { timed "$scratch/tags_v2" "$cli" tags "$scratch"/v2/*.mp3; }
read_v1() { timed "$scratch/tags_v1" "$cli" tags "$scratch"/v1/*.mp3; }
write_tessel() {
    restore
    timed "$scratch/tag_tessel" "$cli" tag --title "New title" "$scratch"/v2/*.mp3
    check_title "New title" "tessel-cli tag"
}
write_id3v2() {
    restore
    timed "$scratch/tag_id3v2" id3v2 -t "New title" "$scratch"/v2/*.mp3
    check_title "New title" "id3v2 -t"
}
write_mid3v2() {
    restore
    timed "$scratch/tag_mid3v2" mid3v2 -t "New title" "$scratch"/v2/*.mp3
    check_title "New title" "mid3v2 -t"
}
turns=(read_v2 read_v1 write_tessel write_id3v2)
((mid == 0)) || turns+=(write_mid3v2)
for ((round = 0; round < rounds; ++round)); do
    for ((t = 0; t < ${#turns[@]}; ++t)); do
        restore
        ${turns[(round + t) % ${#turns[@]}]}
    done
done

stat_of() { cut -d' ' -f1 "$1" | sort -n | awk '{v[NR]=$1} END {printf "%.3f %.3f", v[1], v[int((NR+1)/2)]}'; }
cpu_median() { awk '{print $2+$3}' "$1" | sort -n | awk '{v[NR]=$1} END {printf "%.3f", v[int((NR+1)/2)]}'; }
med() { stat_of "$1" | cut -d' ' -f2; }
printf '%s files, %s rounds; seconds\n' "$files" "$rounds"
printf '%-12s %8s %8s %12s\n' "" "wall min" "median" "CPU median"
names=(tags_v2 tags_v1 tag_tessel tag_id3v2)
((mid == 0)) || names+=(tag_mid3v2)
for name in "${names[@]}"; do
    read -r lo md <<<"$(stat_of "$scratch/$name")"
    printf '%-12s %8s %8s %12s\n' "$name" "$lo" "$md" "$(cpu_median "$scratch/$name")"
done
awk -v a="$(med "$scratch/tags_v2")" -v b="$(med "$scratch/tags_v1")" \
    -v t="$(med "$scratch/tag_tessel")" -v i="$(med "$scratch/tag_id3v2")" 'BEGIN {
    printf "reading ID3v2 per ID3v1 alone:  %.2fx wall\n", a / b
    printf "tessel-cli tag per id3v2 -t:    %.2fx wall\n", t / i
}'
((mid == 0)) || awk -v t="$(med "$scratch/tag_tessel")" -v m="$(med "$scratch/tag_mid3v2")" \
    'BEGIN { printf "tessel-cli tag per mid3v2 -t:   %.2fx wall\n", t / m }'
echo "each round, wall seconds (${names[*]}):"
walls=()
for name in "${names[@]}"; do
    cut -d' ' -f1 "$scratch/$name" >"$scratch/$name.wall"
    walls+=("$scratch/$name.wall")
done
paste -d' ' "${walls[@]}"
