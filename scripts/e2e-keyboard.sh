# SPDX-License-Identifier: GPL-3.0-or-later
# The keyboard and a screen reader's view of the window, sourced by window-e2e.sh after its
# own steps, with its helpers, its window and its files: a tag edited and saved with keys
# only, the Rename Wizard driven by its letters, and a walk over AT-SPI of the main
# window, the wizard and Options that fails on a control without a name. The window is
# also shown at twice its size for a look at the screenshots.

step="edit a title with the keyboard only"
# Still in MP3 mode: the second row's Title cell, reached by keys, then F2.
focus_main
xdotool key ctrl+Home Down Right
xdotool key F2
wait_until "the title editor" is_white 290 114
xdotool type --delay 2 'Keyed'
shot keyboard-title-editing
xdotool key Return
shot keyboard-title-edited

step="save the tags with Ctrl+I and the question's default, Save"
xdotool key ctrl+i
dialog '^Tessel$'
shot save-discard-cancel
xdotool key Return
dialog '^Preview$'
xdotool key Return
dialog '^Results$'
xdotool key Return
wait_until "the results to close" no_window '^Results$'
expect_title "$files/beta.mp3" Keyed

step="drive the Rename Wizard by its letters"
focus_main
xdotool key ctrl+t
wait_until "Go to be enabled" eval '! is_grey 361 32'
xdotool key ctrl+r
dialog '^Rename Wizard - Step 1 of 3$'
xdotool type --delay 2 Side
xdotool key alt+n
dialog '^Rename Wizard - Step 2 of 3$'
xdotool key alt+n
dialog '^Rename Wizard - Step 3 of 3$'
# The number before the name, then Back and Next again: the choice stays.
xdotool key alt+e
# A letter presses its button with a short animation before the button takes it.
sleep 0.3
shot wizard-before
xdotool key alt+b
dialog '^Rename Wizard - Step 2 of 3$'
shot wizard-back
xdotool key alt+n
dialog '^Rename Wizard - Step 3 of 3$'
xdotool key alt+f
wait_until "the wizard to close" no_window '^Rename Wizard'
focus_main
shot wizard-by-letters
xdotool key ctrl+s
wait_until "the list to be saved" sh -c "'$cli' show '$work/list.tsl' | cut -f 1 | grep -qx '01Side'"

# The window at twice its size, and the keyboard view over AT-SPI, each in a window of
# its own: the first one leaves its list saved.
kill "$tessel_pid"
wait "$tessel_pid" 2>/dev/null || true
tessel_pid=

step="show the window at twice its size"
(cd "$work" && QT_SCALE_FACTOR=2 exec "$tessel" "$work/list.tsl") >"$work/tessel.log" 2>&1 &
tessel_pid=$!
wait_until "the doubled window" has_window '^list.tsl - Tessel$'
big=$(window_named '^list.tsl - Tessel$')
xdotool windowmove --sync "$big" 0 0 windowsize --sync "$big" 1270 790
sleep 0.5
shot scale-2
kill "$tessel_pid"
wait "$tessel_pid" 2>/dev/null || true
tessel_pid=

step="walk the window, the wizard and Options over AT-SPI"
# Debian's own Python holds python3-pyatspi; another one first in PATH may not.
atspi_python=/usr/bin/python3
if ! "$atspi_python" -c 'import pyatspi' 2>/dev/null || ! command -v dbus-run-session >/dev/null; then
    fail "python3-pyatspi or dbus-run-session is missing; scripts/setup.sh installs them"
fi
walker=$(dirname "${BASH_SOURCE[0]}")/atspi-walk.py
# One D-Bus session holds the accessibility bus, the window and the walker.
TESSEL=$tessel LIST=$work/list.tsl WALKER=$walker SHOTS=$shots WORK=$work PYTHON=$atspi_python \
    dbus-run-session -- bash -euo pipefail -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
    launcher=$!
    sleep 1
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$TESSEL" "$LIST" >"$WORK/tessel-atspi.log" 2>&1 &
    window=$!
    trap "kill $window $launcher 2>/dev/null" EXIT
    status=0
    "$PYTHON" "$WALKER" Tessel " - Tessel\$" || status=1
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name " - Tessel\$" | head -n 1) && [ -n "$id" ] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key ctrl+r
    "$PYTHON" "$WALKER" Tessel "^Rename Wizard" || status=1
    xdotool key Escape
    sleep 0.5
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key alt+v o
    "$PYTHON" "$WALKER" Tessel "^Options\$" || status=1
    import -window root "$SHOTS/atspi-options.png" 2>/dev/null || true
    xdotool key Escape
    exit $status
' >"$work/atspi-walk.txt" 2>&1 || { cat "$work/atspi-walk.txt" >&2; fail "a control has no name"; }
cp "$work/atspi-walk.txt" "$shots/atspi-walk.txt"
grep 'atspi-walk:' "$work/atspi-walk.txt"
echo "e2e-keyboard: all steps passed"
