# SPDX-License-Identifier: GPL-3.0-or-later
# The window under a dark desktop theme, sourced by window-e2e.sh with its functions: GTK's
# dark Adwaita through Qt's GTK platform theme, as a GNOME user with a dark style has it. A
# list whose first row would take the name of a file outside the run shows that row blocked
# in the preview; the screenshots show whether text, the hint and the blocked row stay
# readable on the dark palette.

step="start the window with a dark theme"
kill "$tessel_pid" 2>/dev/null || true
wait "$tessel_pid" 2>/dev/null || true
wait_until "the window to close" no_window ' - Tessel$'
dark=$work/dark
mkdir -p "$dark"
touch "$dark/one.txt" "$dark/two.txt" "$dark/taken.txt"
"$cli" add "$work/dark.tsl" "$dark/one.txt" "$dark/two.txt" >/dev/null
"$cli" rename "$work/dark.tsl" 1 taken >/dev/null
"$cli" rename "$work/dark.tsl" 2 second >/dev/null
(cd "$work" && QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark exec "$tessel" "$work/dark.tsl") \
    >"$work/tessel.log" 2>&1 &
tessel_pid=$!
wait_until "the main window" has_window '^dark.tsl - Tessel$'
main=$(window_named '^dark.tsl - Tessel$')
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 600
focus_main
# The list's background is the palette's, not a fixed white.
is_white 500 300 && fail "the list is white under the dark theme"
xdotool key ctrl+a
shot dark-window

step="the preview of a blocked run under the dark theme"
xdotool key ctrl+Return
dialog '^Rename$'
# Under GTK's rules Return presses the focused button: the focus starts on OK.
xdotool key Return
dialog '^Preview$'
shot dark-preview-blocked
xdotool key Escape
wait_until "the preview to close" no_window '^Preview$'
[ -e "$dark/one.txt" ] || fail "the blocked run renamed one.txt"
