# SPDX-License-Identifier: MIT
"""Undo with real input: a window dragged by its title bar is one step (Ctrl+Z puts it back
whole, Ctrl+Shift+Z moves it again); a field dragged into the grid with the mouse goes again
with Ctrl+Z, as does a value added with Enter; a join line deleted with Delete after the usual
question comes back with Ctrl+Z, and the SQL tab shows its condition again. The Edit menu's
first item is heard naming each step ("Undo Delete Join Customers – Orders"); its picture
is kept where ZEL_SCREENSHOTS says."""

import os
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (FocusEvents, application, enable_accessibility, extents, find, poll,
                            read_sql, running, shot)
from workspace_edit import add_tables, drop_field, focused_table, spread_tables, table_window
from xwindows import key, press, typed, window_id

CONDITION = "Customers.CST_NO = Orders.CST_NO"


def lines(surface):
    return surface.description.split("\n") if surface.description else []


def sql_text(window):
    press("alt+s")
    return poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text"))


def to_window(window, names, name):
    """Ctrl+Tab until the table window has the focus; a pause ends type-ahead."""
    for _ in range(4):
        if focused_table(window, names) == name:
            time.sleep(0.5)
            return
        press("ctrl+Tab")
    raise SystemExit("Ctrl+Tab does not reach the %s window" % name)


def first_edit_item(events, workspace, step):
    """Opens the Edit menu from the keyboard: its first item is heard naming the step."""
    mark = events.mark()
    key(workspace, "alt+e")
    try:
        poll("the Edit menu's first item", lambda: events.since(mark, "menu item", step), limit=8)
    except SystemExit:
        raise SystemExit("the Edit menu was heard as %s" % events.heard[mark:])


def main():
    host = sys.argv[1]
    enable_accessibility()
    events = FocusEvents()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder, running(host)):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
        workspace = poll("the workspace window", lambda: window_id("^Querion"))
        key(workspace, "ctrl+n")
        names = ["Customers", "Orders"]
        add_tables(window, workspace, names)
        surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
        key(workspace)  # no window manager: the X focus goes back by hand
        poll("a table window with the focus", lambda: focused_table(window, names))
        spread_tables(window, names)
        moved = extents(table_window(window, "Orders"))
        first_edit_item(events, workspace, "Undo Move Table Orders")
        key(None, "Escape")
        key(workspace, "ctrl+z")
        poll("the drag undone whole", lambda: extents(table_window(window, "Orders")) != moved)
        first_edit_item(events, workspace, "Undo Add Table Orders")
        key(None, "Escape")
        key(workspace, "ctrl+shift+z")
        poll("the drag done again", lambda: extents(table_window(window, "Orders")) == moved)
        print("A window dragged by its title bar was one step to undo and redo")
        grid = find(window, pyatspi.ROLE_TABLE, "Values").queryTable()
        column_gone = lambda: not grid.getAccessibleAt(2, 1).name
        drop_field(window, "Customers", "City", grid, 1)
        key(workspace, "ctrl+z")
        poll("the dragged column gone", column_gone, limit=8)
        print("A field dragged into the grid made a column, Ctrl+Z removed it")
        to_window(window, names, "Customers")
        for added in (True, False, True):  # added, undone, added again for the SQL
            if added:
                typed("Company")
                press("Return")
            else:
                key(workspace, "ctrl+z")
            try:
                poll("the value column " + ("added" if added else "gone"),
                     lambda: bool(grid.getAccessibleAt(2, 1).name) == added, limit=8)
            except SystemExit:
                raise SystemExit("the grid reads %r" % [grid.getAccessibleAt(r, 1).name
                                                        for r in range(4)])
            time.sleep(0.5)  # type-ahead ends
        print("Enter added a value column, Ctrl+Z removed it")
        to_window(window, names, "Orders")
        key(None, "Tab")
        poll("a join line selected", lambda: any(l.endswith("(selected)") for l in lines(surface)))
        before = lines(surface)
        key(None, "Delete")
        poll("the question", lambda: pyatspi.findDescendant(
            app, lambda a: a is not None and a.name == "Remove the selected join?"))
        key(None, "y")
        poll("the line removed", lambda: len(lines(surface)) == len(before) - 1)
        first_edit_item(events, workspace, "Undo Delete Join Customers – Orders")
        shot(window, "edit-menu-undo", folder)
        key(None, "Escape")
        print("The Edit menu names the deleted join")
        key(workspace, "ctrl+z")
        poll("the line back", lambda: len(lines(surface)) == len(before))
        shot(window, "workspace-undo-redo", folder)
        print("Delete removed the line, Ctrl+Z brought it back: %s" % lines(surface))
        text = sql_text(window)
        try:
            poll("the condition in the SQL", lambda: CONDITION in read_sql(text), limit=10)
        except SystemExit:
            raise SystemExit("the SQL tab reads %r" % read_sql(text))
        print("The SQL tab shows %s again" % CONDITION)


if __name__ == "__main__":
    main()
