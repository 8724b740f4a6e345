#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# tessel answers --help and --version with no display at all, and exits 0; the window
# itself, and an unknown option, still stop with the one line about the display.
# Arguments: the tessel program, the version it should tell.
tessel=$1
version=$2
fail() {
    echo "$*"
    exit 1
}
headless() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tessel" "$@"
}

out=$(headless --version 2>&1) || fail "--version exited $?: $out"
[ "$out" = "Tessel $version" ] || fail "--version printed: $out"

out=$(headless --help 2>&1) || fail "--help exited $?: $out"
case $out in
*"Usage: $tessel [options] [list]"*"--quit-after-load"*) ;;
*) fail "--help printed: $out" ;;
esac

for arguments in --quit-after-load --no-such-option; do
    out=$(headless $arguments 2>&1) && fail "$arguments started without a display"
    case $out in
    *"no display"*) ;;
    *) fail "$arguments printed: $out" ;;
    esac
done
echo "help and version answered without a display"
