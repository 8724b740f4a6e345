# SPDX-License-Identifier: GPL-3.0-or-later
# The window's state at a glance, used as a person would: read by window-e2e.sh at its end,
# with its window (in MP3 mode, tags saved), its helpers and its folders. The status bar's
# counts and mode, a preview where nothing would change, the progress of a long run
# cancelled halfway and the counts of its results, the counts of its undo, and the hint
# of an empty list. Texts are checked in the screenshots; the files on disk and the
# pixels of the hint are checked here.

# Waits for a window titled like one of the patterns; prints the first pattern found.
first_window() {
    local deadline=$((SECONDS + 20)) pattern
    while [ "$SECONDS" -lt "$deadline" ]; do
        for pattern in "$@"; do
            if has_window "$pattern"; then
                echo "$pattern"
                return
            fi
        done
        sleep 0.05
    done
    fail "timed out waiting for a window titled like $*"
}
# How many pixels of a band across the middle of the list are not the white of its base.
ink_in_list() {
    import -window root -crop 900x24+50+330 -depth 8 txt:- 2>/dev/null |
        grep -v '^#' | grep -vc '#FFFFFF' || true
}

step="the status bar in MP3 mode"
focus_main
xdotool mousemove --window "$main" 60 94 click 1
shot state-mp3

step="back to normal mode"
focus_main
xdotool key ctrl+t
wait_until "Go to be enabled" eval '! is_grey 361 32'
shot state-normal

step="open a list of many files"
big=$work/big
mkdir -p "$big"
(cd "$big" && seq -f 'f%05g' 1 40000 | xargs touch)
"$cli" add "$work/big.tsl" "$big" >/dev/null
xdotool key ctrl+o
if [ "$(first_window '^Open$' '^Tessel$')" = '^Tessel$' ]; then
    # The list changed since it was saved: it is saved now.
    xdotool key Return
fi
dialog '^Open$'
xdotool key ctrl+a
xdotool type --delay 2 "$work/big.tsl"
xdotool key Return
wait_until "the big list in the title" has_window '^big.tsl - Tessel$'
focus_main
shot state-big-list

step="a run where nothing would change"
xdotool key ctrl+Return
dialog '^Rename$'
xdotool key Return
dialog '^Preview$'
shot preview-nothing-to-rename
# OK is disabled and Cancel is the default: Return closes the preview, renaming nothing.
xdotool key Return
wait_until "the preview to close" no_window '^Preview$'
[ -z "$(find "$big" -name 'F*' -print -quit)" ] || fail "a file was renamed"

step="cancel a long run halfway"
focus_main
xdotool key ctrl+a F7
shot state-all-selected
xdotool key ctrl+Return
dialog '^Rename$'
xdotool key Return
dialog '^Preview$'
shot preview-ok
xdotool key Return
if [ "$(first_window '^Progress Indicator$' '^Results$')" = '^Progress Indicator$' ]; then
    # A moment in, the count and the file reached have moved.
    sleep 0.15
    shot progress
    # A run that ended meanwhile shows its results, which Escape would close unseen.
    ! has_window '^Progress Indicator$' || xdotool key Escape
fi
dialog '^Results$'
shot results-summary
renamed=$(find "$big" -name 'F*' | wc -l)
[ "$renamed" -gt 0 ] || fail "no file was renamed"
echo "e2e-state: the run renamed $renamed of 40000 files before it was cancelled" >&2
xdotool key Return
wait_until "the results to close" no_window '^Results$'

step="undo the run"
focus_main
xdotool key ctrl+z
wait_until "the files to get their names back" eval '[ -z "$(find "$big" -name "F*" -print -quit)" ]'
# The counts stay in the status bar a while, until the pointer shows a menu's prompt.
sleep 0.5
shot undo-summary

step="an empty list"
# The undo's progress took the keyboard with it.
focus_main
xdotool key ctrl+s
sleep 0.3
xdotool key ctrl+n
wait_until "an untitled list" has_window '^Untitled - Tessel$'
focus_main
xdotool mousemove --window "$main" 990 5
sleep 0.3
shot empty-hint
[ "$(ink_in_list)" -gt 0 ] || fail "the empty list shows no hint"
echo "e2e-state: all steps passed" >&2
