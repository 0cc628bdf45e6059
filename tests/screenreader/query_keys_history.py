# SPDX-License-Identifier: MIT
"""The Query tab of "Step 1" with real keys only, read as a screen reader hears it. F6 from the
toolbar comes back to the table window last worked in, heard by its name and not as the tables
area; Shift+Tab from the values grid runs back the way Tab came: every join line by name, last
first, then every table window from the right. View > Arrange Tables is one step named for
itself in the Edit menu. File > New, its question answered No, leaves nothing to undo: Ctrl+Z
brings none of the old tables into the new query."""

import os
import sys
import tempfile

import pyatspi

from workspace_a11y import (FocusEvents, application, enable_accessibility, find, focused, poll,
                            running)
from workspace_edit import focused_table, table_window
from xwindows import key, press, window_id

TABLES = ["Customers", "Orders", "Items", "Parts", "Vendors"]
LINES = ["Customers.CustNo to Orders.CustNo, inner join",
         "Orders.OrderNo to Items.OrderNo, inner join",
         "Items.PartNo to Parts.PartNo, inner join",
         "Items.VendorNo to Parts.VendorNo, inner join",
         "Parts.VendorNo to Vendors.VendorNo, inner join"]


def fields(window, table):
    return find(table_window(window, table), pyatspi.ROLE_LIST, table + " fields")


def selected_row(window, table):
    rows = fields(window, table)
    return next((rows.getChildAtIndex(i).name for i in range(rows.childCount)
                 if rows.getChildAtIndex(i).getState().contains(pyatspi.STATE_SELECTED)), None)


def last_heard(events, mark):
    """The name of the object the focus was last told to be on since the mark."""
    events.pump()
    heard = events.heard[mark:]
    return heard[-1][2] if heard else None


def hear(events, key_name, expected):
    """Presses the key: the focus must end on the object named `expected`, as heard last."""
    mark = events.mark()
    press(key_name)
    try:
        poll(expected, lambda: last_heard(events, mark) == expected, limit=8)
    except SystemExit:
        raise SystemExit("%s: heard %s, not %r" % (key_name, events.heard[mark:], expected))


def f6_back_to_last_table(window, events):
    """Ctrl+Tab to Items, Down to a field; F6 three times goes round to Items again."""
    for _ in TABLES:
        if focused_table(window, TABLES) == "Items":
            break
        press("ctrl+Tab")
    press("Down")
    row = poll("a field row of Items", lambda: selected_row(window, "Items"))
    press("F6")
    poll("F6 to the values grid", lambda: focused(find(window, pyatspi.ROLE_TABLE, "Values")))
    press("F6")
    hear(events, "F6", "Items fields")
    poll("the keyboard in Items", lambda: focused_table(window, TABLES) == "Items")
    rows = fields(window, "Items")
    names = [rows.getChildAtIndex(i).name for i in range(rows.childCount)]
    press("Down")
    following = names[names.index(row) + 1]
    try:
        poll("Down in Items", lambda: selected_row(window, "Items") == following, limit=8)
    except SystemExit:
        raise SystemExit("Down after F6 went from %s to %s, not %s" %
                         (row, selected_row(window, "Items"), following))
    print("F6, F6, F6: back in Items on %s, heard as its fields; Down to %s" % (row, following))


def shift_tab_back(window, events):
    """From the values grid Shift+Tab passes every line (last first), then every window."""
    press("F6")
    poll("F6 to the values grid", lambda: focused(find(window, pyatspi.ROLE_TABLE, "Values")))
    expected = list(reversed(LINES)) + [t + " fields" for t in reversed(TABLES)]
    for name in expected:
        hear(events, "shift+Tab", name)
    print("Shift+Tab from the grid: %d lines, then %d windows, in reverse" %
          (len(LINES), len(TABLES)))


def edit_menu_first(events, workspace, step):
    mark = events.mark()
    key(workspace, "alt+e")
    try:
        poll("the Edit menu's first item", lambda: events.since(mark, "menu item", step), limit=8)
    except SystemExit:
        raise SystemExit("the Edit menu was heard as %s" % events.heard[mark:])
    key(None, "Escape")


def arrange_then_new(app, window, workspace, events):
    key(workspace, "alt+v", "a")
    edit_menu_first(events, workspace, "Undo Arrange Tables")
    print("View > Arrange Tables: the Edit menu reads \"Undo Arrange Tables\"")
    key(workspace)
    press("ctrl+n")
    poll("Save changes to Untitled?", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.name == "Save changes to Untitled?"))
    press("n")
    poll("the new query empty", lambda: table_window(window, "Customers") is None)
    press("ctrl+z")
    mark = events.mark()
    key(workspace, "alt+e")  # by the time the menu is heard, Ctrl+Z has been handled
    poll("the Edit menu heard", lambda: events.mark() > mark, limit=8)
    key(None, "Escape")
    left = [t for t in TABLES if table_window(window, t) is not None]
    if left:
        raise SystemExit("Ctrl+Z after File > New brought back %s" % left)
    undo = [n for _, n, _ in events.heard[mark:] if n.startswith(("Undo ", "Redo "))]
    if undo:
        raise SystemExit("after File > New the Edit menu still offers %s" % undo)
    print("File > New, No: Ctrl+Z leaves the new query empty, nothing to undo")


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "edit", folder=folder)):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
        workspace = poll("the workspace window", lambda: window_id("^Querion"))
        poll("the tables of Step 1", lambda: all(table_window(window, t) for t in TABLES))
        events = FocusEvents()
        key(workspace)  # no window manager: the X focus is given by hand
        poll("a table window with the focus", lambda: focused_table(window, TABLES))
        f6_back_to_last_table(window, events)
        shift_tab_back(window, events)
        arrange_then_new(app, window, workspace, events)


if __name__ == "__main__":
    main()
