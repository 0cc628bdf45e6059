# SPDX-License-Identifier: MIT
"""The joins editor with real keys only: tables added with the add-table dialog land side by
side and read as "<alias> table, N fields"; Ctrl+Tab visits every window, Tab goes on to the
join lines, each announced by name as it takes the focus; Delete removes the focused line after
the usual question; Ctrl+Right moves a window by 10 pixels; Shift+F10 opens the popup."""

import os
import subprocess
import sys

import pyatspi

from workspace_a11y import (FocusEvents, application, enable_accessibility, extents, find, poll,
                            running)
from workspace_edit import add_tables, focused_table, table_window
from xwindows import key, window_id

SHOT = os.environ.get("ZEL_JOINLINE_SHOT")  # where to keep a picture of the focused line


def lines(surface):
    return surface.description.split("\n") if surface.description else []


def main():
    host = sys.argv[1]
    enable_accessibility()
    with running(host):
        walk(host)


def walk(host):
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
    workspace = poll("the workspace window", lambda: window_id("^Querion"))
    key(workspace, "ctrl+n")
    names = ["Customers", "Orders", "Items"]
    add_tables(window, workspace, names)
    boxes = [extents(table_window(window, n)) for n in names]
    if any(a[0] + a[2] > b[0] for a, b in zip(boxes, boxes[1:])):
        raise SystemExit("new table windows are not side by side: %s" % boxes)
    said = table_window(window, "Orders").name
    if said != "Orders table, 6 fields":
        raise SystemExit("a table window reads %r" % said)
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    events = FocusEvents()

    key(workspace)  # no window manager: the X focus goes back by hand
    start = poll("a table window with the focus", lambda: focused_table(window, names))
    visited = []
    for _ in names:
        key(None, "ctrl+Tab")
        visited.append(poll("the next window", lambda: focused_table(window, names)))
    if sorted(visited) != sorted(names) or visited[-1] != start:
        raise SystemExit("Ctrl+Tab visited %s from %s" % (visited, start))
    while focused_table(window, names) != "Items":
        key(None, "ctrl+Tab")
    mark = events.mark()
    key(None, "Tab")
    poll("a join line selected", lambda: any(l.endswith("(selected)") for l in lines(surface)))
    if not events.since(mark, "image", "Customers.CustNo to Orders.CustNo, inner join"):
        raise SystemExit("the focused line was announced as %s" % events.names())
    if SHOT:
        x, y, w, h = extents(surface)
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" %
                        (min(w, 520), min(h, 240), x, y), "+repage", SHOT], check=True)
    before = len(lines(surface))
    key(None, "Delete")
    poll("the question", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.name == "Remove the selected join?"))
    key(None, "y")
    poll("the line removed", lambda: len(lines(surface)) == before - 1)
    print("Tab to the line, Delete: %d lines left, heard %s" % (before - 1, events.names()))

    key(None, "shift+Tab")
    while focused_table(window, names) != "Orders":
        key(None, "ctrl+Tab")
    x = extents(table_window(window, "Orders"))[0]
    key(None, "ctrl+Right")
    poll("the window moved", lambda: extents(table_window(window, "Orders"))[0] == x + 10)
    print("Ctrl+Right moved Orders by 10 pixels")
    mark = events.mark()
    key(None, "shift+F10", "Down")
    poll("the table's popup heard", lambda: events.since(mark, "menu item", "Add Table"))
    key(None, "Escape")
    print("Shift+F10 opened the popup; its first item heard")


if __name__ == "__main__":
    main()
