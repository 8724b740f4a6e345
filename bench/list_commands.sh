#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The list commands of tessel-cli on a list of 100,000 rows, each a whole process with the
# list's load and save: show, case upper, replace, number and sort (by Size, and by New
# Filename in natural order). The list is the one `add --recursive` makes of 100,000 empty
# files "track number N.mp3" in 100 folders; it is put back before each command.
# Each command runs ROUNDS times; with several builds (--cli PATH, repeated) they take
# turns command by command. Prints for each run: wall and CPU seconds (user + system), the
# peak memory, and the bytes a row ((peak RSS - the peak RSS of the same command on an
# empty list) / 100,000), with the load average.
#
# usage: bench/list_commands.sh [--rounds N] [--cli PATH]...
# needs: GNU time (/usr/bin/time)
set -euo pipefail

rounds=3
clis=()
while (($#)); do
    case "$1" in
        --rounds) rounds=$2; shift 2 ;;
        --cli) clis+=("$(realpath "$2")"); shift 2 ;;
        *) echo "usage: $0 [--rounds N] [--cli PATH]..." >&2; exit 2 ;;
    esac
done
here=$(cd "$(dirname "$0")/.." && pwd)
((${#clis[@]})) || clis=("$here/build-release/src/cli/tessel-cli")
[[ -x /usr/bin/time ]] || { echo "GNU time is not installed (apt-get install time)" >&2; exit 2; }
rows=100000

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tessel-list-commands-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
for f in $(seq 0 99); do
    mkdir "files/folder$f" -p
    (cd "files/folder$f" && seq -f "track number %g.mp3" "$f" 100 $((rows - 1)) |
        tr '\n' '\0' | xargs -0 touch)
done
"${clis[0]}" add list.built files --recursive >/dev/null
# An empty list: the same command's memory without rows.
"${clis[0]}" add empty.built "files/folder0/track number 0.mp3" >/dev/null
"${clis[0]}" remove empty.built 1 >/dev/null

commands=("show" "case upper" "replace track Song" "number --name Song" "sort Size"
          "sort --natural New_Filename")
# Peak resident kilobytes, or the line "wall user system peak", of one command.
measure() {
    local format=$1 cli=$2 list=$3 command=$4
    local words
    read -r -a words <<<"$command"
    words=("${words[@]//_/ }")
    /usr/bin/time -o time.out -f "$format" "$cli" "${words[0]}" "$list" "${words[@]:1}" \
        >/dev/null 2>&1
    tail -1 time.out
}
printf '%-28s %-40s %6s %6s %9s %10s %s\n' command build wall cpu peak_kb bytes_row load
for ((round = 1; round <= rounds; ++round)); do
    for command in "${commands[@]}"; do
        for cli in "${clis[@]}"; do
            cp list.built list.tsl
            cp empty.built empty.tsl
            empty=$(measure "%M" "$cli" empty.tsl "$command")
            read -r wall user system peak <<<"$(measure "%e %U %S %M" "$cli" list.tsl "$command")"
            printf '%-28s %-40s %6s %6.2f %9s %10d %s\n' "$command" "$cli" "$wall" \
                "$(echo "$user + $system" | bc)" "$peak" $(((peak - empty) * 1024 / rows)) \
                "$(cut -d' ' -f1 /proc/loadavg)"
        done
    done
done
