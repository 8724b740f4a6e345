# SPDX-License-Identifier: GPL-3.0-or-later
# The window in German, sourced by window-e2e.sh at its end with its functions, its window
# and its files: started with LANGUAGE=de on a damaged list, it reports the damage in German
# with the list's path in it, then shows its menus, Find / Replace and Options in German.
# The titles are checked here; the message box and the open menu are for the screenshots.

step="start the window in German on a damaged list"
kill "$tessel_pid" 2>/dev/null || true
wait "$tessel_pid" 2>/dev/null || true
wait_until "the window to close" no_window ' - Tessel$'
# The list saved above, cut inside its last row.
damaged=$work/beschädigt.tsl
head -c $(($(stat -c %s "$work/list.tsl") - 3)) "$work/list.tsl" >"$damaged"
(cd "$work" && LANGUAGE=de LANG=de_DE.UTF-8 exec "$tessel" "$damaged") >"$work/tessel.log" 2>&1 &
tessel_pid=$!
dialog '^Tessel$'
shot german-damaged-list
xdotool key Return
# What was read stays, but it is not that file: the window has no name for it.
wait_until "the German main window" has_window '^Unbenannt.* - Tessel$'
main=$(window_named ' - Tessel$')
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 600
focus_main

step="open the File menu by its German letter"
xdotool key alt+d
sleep 0.5
shot german-file-menu
xdotool key Escape Escape
focus_main

step="Find / Replace in German"
xdotool key ctrl+h
dialog '^Suchen / Ersetzen$'
shot german-find-replace
xdotool key Escape
wait_until "Find / Replace to close" no_window '^Suchen / Ersetzen$'
focus_main

step="Options from the View menu by its German letters"
xdotool key alt+a
sleep 0.3
xdotool key o
dialog '^Optionen$'
shot german-options
xdotool key Escape
wait_until "Options to close" no_window '^Optionen$'
