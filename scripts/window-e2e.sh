#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Uses the window as a person would, on a virtual X display driven by xdotool: adds three
# files through the Add dialog, numbers them with the Rename Wizard, fixes one name in
# place, renames them with Go and checks the folder, undoes the run and checks the folder
# and the run's history again, then edits a title in MP3 mode, saves the tags and checks
# the bytes of the tag on disk; scripts/e2e-keyboard.sh goes on with the keyboard alone and
# a screen reader's view, scripts/e2e-state.sh with the state at a glance,
# scripts/e2e-german.sh with the window in German and scripts/e2e-dark.sh under a dark theme.
# Stops with a message at the first failed check. A screenshot of every step goes into
# $TESSEL_E2E_SHOTS (a new temporary folder when unset).
#
# Usage: scripts/window-e2e.sh BUILD_DIR
#
# No window manager runs: keys go to the window that holds the X focus, which Qt gives a
# dialog when it opens and the main window when it is clicked. Every wait polls for a
# window or a file, so a slow machine only makes the run slower.
set -euo pipefail

build=$(cd "${1:?usage: window-e2e.sh BUILD_DIR}" && pwd)
tessel=$build/src/app/tessel
cli=$build/src/cli/tessel-cli
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || {
        echo "window-e2e: $tool is missing; scripts/setup.sh installs it" >&2
        exit 2
    }
done
[ -x "$tessel" ] && [ -x "$cli" ] || {
    echo "window-e2e: no tessel and tessel-cli in $build" >&2
    exit 2
}

work=$(mktemp -d)
shots=${TESSEL_E2E_SHOTS:-$(mktemp -d)}
mkdir -p "$shots"
xvfb_pid=
tessel_pid=
finish() {
    [ -n "$tessel_pid" ] && kill "$tessel_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

# Settings, recent files and run journals start empty and stay out of the user's home.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data \
    XDG_STATE_HOME=$work/state XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb MAGICK_THREAD_LIMIT=1
unset WAYLAND_DISPLAY

# Xvfb picks a free display number itself and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!

step=start
shot_number=0
shot() {
    [ -z "${TESSEL_E2E_TRACE:-}" ] || echo "window-e2e: ${SECONDS}s $step: $1" >&2
    shot_number=$((shot_number + 1))
    import -window root "$shots/$(printf %02d "$shot_number")-$1.png" 2>/dev/null || true
}
fail() {
    echo "window-e2e: $step: $*" >&2
    tail -n 5 "$work/tessel.log" >&2
    shot failed
    echo "window-e2e: screenshots in $shots" >&2
    exit 1
}
# Polls a command until it succeeds, for at most ten seconds.
wait_until() {
    local what=$1 deadline=$((SECONDS + 10))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}
window_named() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
has_window() { [ -n "$(window_named "$1")" ]; }
no_window() { [ -z "$(window_named "$1")" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Waits for a window whose title matches, and for Qt to have given it the keyboard.
# The file's tag begins with its title: the last 128 bytes are "TAG", then the title
# padded with zero bytes to 30.
expect_title() {
    local file=$1 title=$2
    {
        printf 'TAG%s' "$title"
        head -c $((30 - ${#title})) /dev/zero
    } >"$work/expected-head"
    tail -c 128 "$file" | head -c 33 >"$work/tag-head"
    cmp -s "$work/expected-head" "$work/tag-head" ||
        fail "the tag of $(basename "$file") begins with $(od -An -c "$work/tag-head" | tr -s ' ')"
}

dialog() {
    wait_until "a window titled '$1'" has_window "$1"
    local id
    id=$(window_named "$1")
    wait_until "the keyboard in '$1'" has_focus "$id"
}
# Gives the main window the keyboard. With no window manager, X leaves the focus nowhere
# when a dialog closes, and a click is not always enough for Qt to take it back, so the
# focus is also set directly; the click on the status bar changes nothing in the list.
focus_main() {
    xdotool mousemove --window "$main" 500 588 click 1
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    wait_until "the keyboard in the main window" has_focus "$main"
}
# The colour of one pixel of the screen as "r g b", 0 to 255.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
# An open editor is a white box over the blue of its selected row.
is_white() {
    local r g b
    read -r r g b <<<"$(pixel "$1" "$2")"
    [ "${r:-0}" -gt 230 ] && [ "${g:-0}" -gt 230 ] && [ "${b:-0}" -gt 230 ]
}
# The Go button is green while enabled and grey in MP3 mode.
is_grey() {
    local r g b
    read -r r g b <<<"$(pixel "$1" "$2")"
    [ -n "$g" ] && [ $((g - r)) -lt 30 ] && [ $((g - b)) -lt 30 ]
}
names_in() { (cd "$1" && ls | sort | tr '\n' ' '); }
expect_names() {
    local got
    got=$(names_in "$files")
    [ "$got" = "$1" ] || fail "the folder holds '$got', expected '$1'"
}

for _ in $(seq 200); do
    grep -q . "$work/display" 2>/dev/null && break
    sleep 0.05
done
grep -q . "$work/display" || { echo "window-e2e: Xvfb did not start" >&2; exit 2; }
export DISPLAY=:$(head -n 1 "$work/display")

files=$work/files
mkdir -p "$files"
for name in alpha beta gamma; do
    head -c 4096 /dev/zero >"$files/$name.mp3"
done

step="start the window"
(cd "$work" && exec "$tessel") >"$work/tessel.log" 2>&1 &
tessel_pid=$!
wait_until "the main window" has_window ' - Tessel$'
main=$(window_named ' - Tessel$')
# A fixed size, so that the clicks below land on the same cells on every machine.
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 600
focus_main
shot window

step="add files through the Add dialog"
xdotool key Insert
dialog '^Add$'
shot add-dialog
# Typing a folder and Enter opens it; quoted names then choose several files at once.
xdotool type --delay 2 "$files/"
xdotool key Return
xdotool type --delay 2 '"alpha.mp3" "beta.mp3" "gamma.mp3"'
shot add-names
xdotool key Return
wait_until "the Add dialog to close" no_window '^Add$'
focus_main
shot added

step="number the rows with the Rename Wizard"
xdotool key ctrl+r
dialog '^Rename Wizard - Step 1 of 3$'
# The longest name is offered, selected, so typing replaces it.
xdotool type --delay 2 Track
shot wizard-1
xdotool key Return
dialog '^Rename Wizard - Step 2 of 3$'
shot wizard-2
xdotool key Return
dialog '^Rename Wizard - Step 3 of 3$'
shot wizard-3
xdotool key Return
wait_until "the wizard to close" no_window '^Rename Wizard'
focus_main
shot numbered

step="fix the second name in place"
# The second row's name: the rows start below the menu, the toolbar and the titles.
xdotool mousemove --window "$main" 60 114 click 1
xdotool key F2
wait_until "the name editor" is_white 140 114
xdotool key ctrl+a
xdotool type --delay 2 Bonus
shot editing
xdotool key Return

step="save the list"
xdotool key ctrl+s
dialog '^Save As$'
xdotool key ctrl+a
xdotool type --delay 2 "$work/list.tsl"
xdotool key Return
wait_until "the list on disk" test -s "$work/list.tsl"
wait_until "the title to name the list" has_window '^list.tsl - Tessel$'
shot saved
new_names=$("$cli" show "$work/list.tsl" | cut -f 1 | tr '\n' ' ')
[ "$new_names" = "Track01 Bonus Track03 " ] || fail "the new names are '$new_names'"

step="rename with Go"
focus_main
xdotool key ctrl+Return
dialog '^Rename$'
shot extension
xdotool key Return
dialog '^Preview$'
shot preview
xdotool key Return
dialog '^Results$'
shot results
xdotool key Return
wait_until "the results to close" no_window '^Results$'
expect_names "Bonus.mp3 Track01.mp3 Track03.mp3 "

step="undo the run"
focus_main
xdotool key ctrl+z
wait_until "the files to get their names back" test -e "$files/alpha.mp3"
shot undone
expect_names "alpha.mp3 beta.mp3 gamma.mp3 "
# The run's journal stays, marked undone, so that undo finds nothing more to move.
history=$("$cli" history "$work/list.tsl")
case $history in
*$'\t'"3 files"$'\t'undone) ;;
*) fail "the list's history reads '$history'" ;;
esac

step="switch to MP3 mode"
# The undo may have shown its progress for a moment, which took the keyboard with it.
focus_main
xdotool key ctrl+t
# Above the white arrow: the round button itself.
wait_until "Go to be disabled" is_grey 361 32
shot mp3-mode

step="edit the first title"
# One click on a tag cell opens its editor: the Title column of the first row.
xdotool mousemove --window "$main" 225 94 click 1
wait_until "the title editor" is_white 290 94
xdotool type --delay 2 'Hello World'
shot title-editing
xdotool key Return
shot title-edited

step="save the tags"
xdotool key ctrl+i
dialog '^Tessel$'
shot tag-question
xdotool key Return
dialog '^Preview$'
shot tag-preview
xdotool key Return
dialog '^Results$'
shot tag-results
xdotool key Return
wait_until "the results to close" no_window '^Results$'
expect_title "$files/alpha.mp3" 'Hello World'
for other in beta gamma; do
    [ "$(stat -c %s "$files/$other.mp3")" -ne 4096 ] || continue
    ! tail -c 128 "$files/$other.mp3" | grep -q 'Hello World' ||
        fail "$other.mp3 took the title too"
done
title=$("$cli" tags "$files/alpha.mp3" | cut -f 2)
[ "$title" = "Hello World" ] || fail "tessel-cli reads the title '$title'"


step="finish"
kill -0 "$tessel_pid" 2>/dev/null || fail "the window is gone"
shot done
source "$(dirname "${BASH_SOURCE[0]}")/e2e-keyboard.sh"

# The keyboard's steps end with the list saved and the window closed: the state at a glance
# starts from the list again, in MP3 mode.
step="open the list again in MP3 mode"
(cd "$work" && exec "$tessel" "$work/list.tsl") >"$work/tessel.log" 2>&1 &
tessel_pid=$!
wait_until "the main window" has_window '^list.tsl - Tessel$'
main=$(window_named '^list.tsl - Tessel$')
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 600
focus_main
xdotool key ctrl+t
wait_until "MP3 mode, where Go is disabled" is_grey 361 32
. "$(dirname "${BASH_SOURCE[0]}")/e2e-state.sh"
. "$(dirname "${BASH_SOURCE[0]}")/e2e-german.sh"
. "$(dirname "${BASH_SOURCE[0]}")/e2e-dark.sh"
echo "window-e2e: all steps passed; screenshots in $shots"
