# SPDX-License-Identifier: MIT
"""The values grid, the value editor and the workspace's panels driven by real keys only:
F6 and Shift+F6 step between the joins editor, the grid and the toolbar, Tab leaves the grid for
the tab bar; in the grid Shift+F10 opens its popup and F2 the value editor; there the in-place
combos and cell editors read as their rows, Shift+F10 opens the popup, and Escape closes the
window applying an edit left open, as its close button does. The Preview grid reads each cell
under its column title."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (application, enable_accessibility, find, focused, poll, running,
                            shot, showing, top)
from xwindows import key, press, window_id









def popup_item(app, name):
    """A menu item of a popup menu open on the screen."""
    for w in app:
        if w is None or not showing(w) or w.name in ("Querion", "Value Editor"):
            continue
        item = pyatspi.findDescendant(w, lambda a: a is not None and a.name == name and
                                      a.getRole() == pyatspi.ROLE_MENU_ITEM)
        if item is not None:
            return item
    return None




def panels(window):
    grid = poll("the values grid", lambda: find(window, pyatspi.ROLE_TABLE, "Values"))
    new = poll("the New button", lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "New"))
    tabs = poll("the tab bar", lambda: find(window, pyatspi.ROLE_PAGE_TAB, "Query")).parent
    key(window_id("^Querion$"))
    for _ in range(4):
        if focused(grid):
            break
        press("F6")
    poll("F6 to the grid", lambda: focused(grid))
    press("F6")
    poll("F6 to the toolbar", lambda: focused(new))
    press("F6")
    poll("F6 to the joins editor", lambda: not focused(new) and not focused(grid))
    press("shift+F6")
    poll("Shift+F6 back to the toolbar", lambda: focused(new))
    press("shift+F6")
    poll("Shift+F6 back to the grid", lambda: focused(grid))
    press("Tab")
    poll("Tab from the grid to the tab bar", lambda: focused(tabs))
    press("shift+Tab")
    poll("Shift+Tab back to the grid", lambda: focused(grid))
    print("Panels: F6 grid > toolbar > joins editor, Shift+F6 back; Tab grid > tab bar")
    return grid


def to_row(row):
    """Up to the first row, then down to row: the cell editor or combo of the row opens."""
    press(*["Up"] * 12)
    press(*["Down"] * row)


def value_editor(app, editor, grid):
    properties = find(editor, pyatspi.ROLE_TABLE, "Value properties")
    for _ in range(6):
        if focused(properties):
            break
        press("Tab")
    poll("Tab to the value properties", lambda: focused(properties))
    to_row(3)  # Header: its cell editor opens at once
    column = grid.queryTable()
    before = column.getAccessibleAt(0, 1).name
    press("ctrl+a")
    subprocess.run(["xdotool", "type", "--delay", "20", "Amount"], check=True)
    press("Escape")
    poll("Escape closed the value editor", lambda: not top(app, "Value Editor"))
    poll("the open edit applied", lambda: column.getAccessibleAt(0, 1).name == "Amount")
    print("Escape: the header %r typed and left open was applied, window closed" % before)
    press("F2")
    editor = poll("F2 opens the value editor", lambda: top(app, "Value Editor"))
    time.sleep(0.5)  # the first paint
    folder = tempfile.mkdtemp()
    try:
        shot(editor, "valueeditor-keyboard", folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    press("shift+F10", "h")
    poll("Hide from its Shift+F10 popup", lambda: not top(app, "Value Editor"))
    print("F2 opened the value editor again; Shift+F10 there, Hide, closed it")


def records(window):
    key(window_id("^Querion$"), "alt+p")
    grid = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
    table = grid.queryTable()
    poll("records in the grid", lambda: table.nRows > 0)
    cell = table.getAccessibleAt(0, 0)
    title = table.getColumnHeader(0).name
    if (title, cell.name) != ("Amount", "Atlas Equipment"):
        raise SystemExit("the first cell reads %r under %r" % (cell.name, title))
    print("Preview: the first cell reads %r under the title %r set by keys" % (cell.name, title))


def main():
    host = sys.argv[1]
    enable_accessibility()
    with running(host):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: top(app, "Querion"))
        grid = panels(window)
        # The popup by Shift+F10; its third command, Edit Properties, opens the value editor.
        press("shift+F10", "Down", "Down", "Down", "Return")
        editor = poll("the value editor from the grid's popup", lambda: top(app, "Value Editor"))
        time.sleep(0.5)
        value_editor(app, editor, grid)
        records(window)

if __name__ == "__main__":
    main()
