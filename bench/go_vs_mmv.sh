#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tessel-cli go --yes renaming FILES files of one folder (f000000.txt -> g000000.txt),
# timed as a whole process (the list's load, the preview, the journal, the renames, the
# list's save), against Debian's mmv doing the same renames (mmv 'f*.txt' 'g#1.txt').
# Each round times, in turns: go with an empty run history, go with the 20 journals of
# earlier runs already in the state folder (so the run prunes the oldest), and mmv. The
# order of the three turns rotates from round to round. Between turns the files are renamed
# back and the list is put back as it was built, untimed; the disk is synced before each turn.
# Output goes to /dev/null (go prints its preview, one line a file).
# Reports min and median of wall and CPU time of each, and the ratios of the medians.
# With --bare, runs the cli_go benchmark afterwards for the bare renameat2 loop.
#
# usage: bench/go_vs_mmv.sh [--files N] [--rounds N] [--cli PATH] [--bare]
# needs: mmv (apt-get install mmv); --bare also needs rename (apt-get install rename)
set -euo pipefail

files=100000
rounds=5
cli=""
bare=0
while (($#)); do
    case "$1" in
        --files) files=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --cli) cli=$2; shift 2 ;;
        --bare) bare=1; shift ;;
        *) echo "usage: $0 [--files N] [--rounds N] [--cli PATH] [--bare]" >&2; exit 2 ;;
    esac
done
here=$(cd "$(dirname "$0")/.." && pwd)
cli=${cli:-$here/build-release/src/cli/tessel-cli}
[[ -x $cli ]] || { echo "no tessel-cli at $cli (--cli PATH)" >&2; exit 2; }
command -v mmv >/dev/null || { echo "mmv is not installed (apt-get install mmv)" >&2; exit 2; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessel-go-vs-mmv-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export XDG_STATE_HOME=$scratch/state
dir=$scratch/d
list=$scratch/list.tsl
state=$XDG_STATE_HOME/tessel
earlier=$scratch/earlier

mkdir "$dir"
(cd "$dir" && seq -f 'f%06g.txt' 0 $((files - 1)) | xargs touch)
"$cli" add --recursive "$list" "$dir" >/dev/null
"$cli" replace "$list" f g >/dev/null
cp "$list" "$list.built"

check_renamed() {
    local count
    count=$(find "$dir" -name 'g*.txt' | wc -l)
    [[ $count -eq $files ]] || { echo "only $count of $files files renamed" >&2; exit 1; }
}
put_back() {
    (cd "$dir" && mmv 'g*.txt' 'f#1.txt' >/dev/null)
    cp "$list.built" "$list"
}
# Wall, user and system seconds of one command, appended to the file named first.
timed() {
    local out=$1
    shift
    sync
    local TIMEFORMAT='%3R %3U %3S'
    { time "$@" >/dev/null 2>"$scratch/stderr"; } 2>>"$out" ||
        { cat "$scratch/stderr" >&2; exit 1; }
}

# The journals of 20 earlier runs: one real run's journal under the 20 numbers before the
# next run's. Only their names are read by the next run; it removes the oldest.
"$cli" go "$list" --yes >/dev/null
check_renamed
(cd "$dir" && mmv 'g*.txt' 'f#1.txt' >/dev/null)
cp "$list.built" "$list"
mkdir "$earlier"
journal=$(ls "$state"/*.journal)
key=$(basename "$journal" | sed 's/-[0-9]*\.journal$//')
for i in $(seq 1 20); do
    cp "$journal" "$earlier/$key-$(printf %08d "$i").journal"
done
rm -rf "$state"

# Every turn starts alike: the 20 journals copied afresh, into the state folder for go_full
# and aside for the other two, and the disk synced.
prepare() {
    rm -rf "$state" "$scratch/aside"
    mkdir -p "$state" "$scratch/aside"
    cp "$earlier"/*.journal "$1"/
}
run_empty() {
    prepare "$scratch/aside"
    timed "$scratch/go_empty" "$cli" go "$list" --yes
}
run_full() {
    prepare "$state"
    timed "$scratch/go_full" "$cli" go "$list" --yes
    [[ $(ls "$state" | wc -l) -eq 20 ]] || { echo "the history was not pruned to 20" >&2; exit 1; }
}
run_mmv() {
    prepare "$scratch/aside"
    (cd "$dir" && timed "$scratch/mmv" mmv 'f*.txt' 'g#1.txt')
}
turns=(run_empty run_full run_mmv)
for ((round = 0; round < rounds; ++round)); do
    for ((t = 0; t < 3; ++t)); do
        ${turns[(round + t) % 3]}
        check_renamed
        put_back
    done
done

# min and median of column $2 of file $1
stat_of() { cut -d' ' -f"$2" "$1" | sort -n | awk '{v[NR]=$1} END {printf "%.3f %.3f", v[1], v[int((NR+1)/2)]}'; }
cpu_median() { awk '{print $2+$3}' "$1" | sort -n | awk '{v[NR]=$1} END {printf "%.3f", v[int((NR+1)/2)]}'; }
printf '%s files, %s rounds; seconds\n' "$files" "$rounds"
printf '%-26s %8s %8s %12s\n' "" "wall min" "median" "CPU median"
for name in go_empty go_full mmv; do
    read -r lo med <<<"$(stat_of "$scratch/$name" 1)"
    printf '%-26s %8s %8s %12s\n' "$name" "$lo" "$med" "$(cpu_median "$scratch/$name")"
done
med() { stat_of "$1" 1 | cut -d' ' -f2; }
awk -v e="$(med "$scratch/go_empty")" -v f="$(med "$scratch/go_full")" -v m="$(med "$scratch/mmv")" \
    -v ce="$(cpu_median "$scratch/go_empty")" -v cm="$(cpu_median "$scratch/mmv")" 'BEGIN {
    printf "go (empty history) per mmv: %.2fx wall, %.2fx CPU\n", e / m, ce / cm
    printf "go (20 journals) per mmv:   %.2fx wall\n", f / m
    printf "20 journals cost:           %+.1f ms (%+.1f%% of go)\n", (f - e) * 1e3, (f - e) / e * 100
}'
echo "each round, wall seconds (go_empty go_full mmv):"
paste -d' ' <(cut -d' ' -f1 "$scratch/go_empty") <(cut -d' ' -f1 "$scratch/go_full") \
    <(cut -d' ' -f1 "$scratch/mmv")

if ((bare)); then
    bench=$(dirname "$(dirname "$(dirname "$cli")")")/bench/cli_go
    [[ -x $bench ]] || { echo "no $bench: build the target cli_go for the bare loop" >&2; exit 2; }
    "$bench" --benchmark_counters_tabular=true
fi
