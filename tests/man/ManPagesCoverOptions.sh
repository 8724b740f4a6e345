#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every command and every long option that the programs' --help lists is in their man
# pages, so that a new option cannot ship undocumented:
#   ManPagesCoverOptions.sh TESSEL_CLI TESSEL_CLI_PAGE [TESSEL TESSEL_PAGE]
set -euo pipefail

# The window reads no settings of the user's while it prints its help.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_STATE_HOME="$scratch/state"

missing=0

# A page's text with roff's escaped dashes and font changes undone.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }

# The long options of the "Options:" section of a help text, one a line; the option
# column ends at the first run of two spaces.
long_options() {
    sed -n '/^Options:/,/^$/p' | grep -E '^ +-' | sed -e 's/^ *//' -e 's/  .*//' |
        grep -oE -- '--[a-z][a-z0-9-]*' | sort -u
}

# The commands of tessel-cli's "commands:" section, one a line.
commands() { sed -n '/^commands:/,/^$/p' | grep -E '^  [a-z]' | awk '{print $1}'; }

expect_option() {
    local text=$1 page=$2 option=$3 where=$4
    if ! grep -qE -- "(^|[^a-z0-9-])$option([^a-z0-9-]|$)" <<<"$text"; then
        echo "$page does not name $option of $where" >&2
        missing=1
    fi
}

cli=$1 cli_page=$2
cli_text=$(page_text "$cli_page")
help=$("$cli" --help)
for option in $(long_options <<<"$help"); do
    expect_option "$cli_text" "$cli_page" "$option" "tessel-cli"
done
for command in $(commands <<<"$help"); do
    # The COMMANDS section gives each command a line of its own.
    if ! grep -qx "\.B $command" <<<"$cli_text"; then
        echo "$cli_page does not list the command $command" >&2
        missing=1
    fi
    for option in $(long_options < <("$cli" "$command" --help)); do
        expect_option "$cli_text" "$cli_page" "$option" "tessel-cli $command"
    done
done
if [ "$(commands <<<"$help" | wc -l)" -lt 2 ]; then
    echo "tessel-cli --help lists no commands under \"commands:\"" >&2
    missing=1
fi

if [ $# -ge 4 ]; then
    window=$3 window_page=$4
    window_text=$(page_text "$window_page")
    window_help=$(QT_QPA_PLATFORM=offscreen "$window" --help)
    [ -n "$(long_options <<<"$window_help")" ] || { echo "tessel --help lists no options" >&2; missing=1; }
    for option in $(long_options <<<"$window_help"); do
        expect_option "$window_text" "$window_page" "$option" "tessel"
    done
fi
exit "$missing"
