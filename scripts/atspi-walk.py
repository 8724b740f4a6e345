#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks what a screen reader sees of one application over AT-SPI and fails on a control
that has no name.

Usage: atspi-walk.py APPLICATION WINDOW-TITLE-PATTERN

Waits up to ten seconds for a showing window of the application whose title matches the
pattern, then prints every control of it as "role: name" and exits 1 if any control's
name is empty, 2 if the window never showed.
"""
import re
import sys
import time

import pyatspi

# The roles a person operates; labels, panels, fillers and the like are left out.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SLIDER,
}


def showing(accessible):
    try:
        return accessible.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(accessible, depth, found):
    if accessible is None or depth > 40:
        return
    role = accessible.getRole()
    if role in CONTROL_ROLES and showing(accessible):
        found.append((accessible.getRoleName(), accessible.name or ""))
        # A table's cells are its data, named by their text; the table itself counts.
        if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE,
                    pyatspi.ROLE_LIST):
            return
    for i in range(accessible.childCount):
        try:
            walk(accessible.getChildAtIndex(i), depth + 1, found)
        except Exception:
            continue


def find_window(application, pattern):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None or app.name != application:
            continue
        for window in app:
            if window is not None and re.search(pattern, window.name or "") and showing(window):
                return window
    return None


def main():
    application, pattern = sys.argv[1], sys.argv[2]
    deadline = time.monotonic() + 10
    window = None
    while window is None and time.monotonic() < deadline:
        window = find_window(application, pattern)
        if window is None:
            time.sleep(0.2)
    if window is None:
        print(f"atspi-walk: no window of {application} titled /{pattern}/", file=sys.stderr)
        return 2
    found = []
    walk(window, 0, found)
    unnamed = [role for role, name in found if not name.strip()]
    for role, name in found:
        print(f"  {role}: {name}")
    print(f"atspi-walk: '{window.name}': {len(found)} controls, {len(unnamed)} without a name")
    return 1 if unnamed or not found else 0


if __name__ == "__main__":
    sys.exit(main())
