# SPDX-License-Identifier: MIT
"""The data model window with real keys only. Ctrl+minus then Ctrl+plus, and Ctrl+9 (fit) then
Ctrl+0 (100 %), leave every table window where it stood on the screen, and the keyboard back in
the window it was in, in view. Rename Fields (Shift+F10, F) renames Company to CompanyName and,
saved with Yes, the table's first row is still heard as "All fields". A picture of the Orders
window shows how its longest field name, PaymentMethod, fits; ZEL_SCREENSHOTS keeps it."""

import os
import subprocess
import sys
import tempfile

import pyatspi

from workspace_a11y import (application, enable_accessibility, extents, find,
                            focused, poll, running, top)
from workspace_edit import table_window
from xwindows import key, press, typed, window_id

TABLES = ["Customers", "Orders", "Items", "Parts", "Vendors"]


def boxes(window):
    return [extents(table_window(window, t)) for t in TABLES]


def inside(box, view):
    x, y, w, h = box
    vx, vy, vw, vh = view
    return vx <= x and vy <= y and x + w <= vx + vw and y + h <= vy + vh


def list_focused(window, table):
    rows = find(table_window(window, table), pyatspi.ROLE_LIST, table + " fields")
    return rows is not None and rows.getState().contains(pyatspi.STATE_FOCUSED)


def zoom_round_trips(window, wid):
    key(wid, "ctrl+f")
    typed("Orders")
    press("Return")
    poll("the keyboard in Orders", lambda: list_focused(window, "Orders"))
    before = boxes(window)
    view = extents(find(window, pyatspi.ROLE_FILLER, "Joins"))
    for out, back in (("ctrl+minus", "ctrl+plus"), ("ctrl+9", "ctrl+0")):
        key(wid, out)
        poll("the windows hidden by " + out, lambda: table_window(window, "Orders") is None
             or not table_window(window, "Orders").getState().contains(pyatspi.STATE_SHOWING))
        key(wid, back)
        try:
            poll("the tables back in place", lambda: boxes(window) == before, limit=8)
        except SystemExit:
            raise SystemExit("%s, %s: the windows stand at %s, not %s" %
                             (out, back, boxes(window), before))
        poll("the keyboard back in Orders", lambda: list_focused(window, "Orders"), limit=8)
        if not inside(extents(table_window(window, "Orders")), view):
            raise SystemExit("%s, %s: Orders is out of view" % (out, back))
        print("%s, %s: every window where it stood, the keyboard in Orders" % (out, back))


def rename_company(app, window, wid):
    key(wid, "ctrl+f")
    typed("Customers")
    press("Return")
    poll("the keyboard in Customers", lambda: list_focused(window, "Customers"))
    press("shift+F10", "f")
    dialog = poll("the Edit Fields window", lambda: top(app, "Edit Fields: Customers"))
    grid = poll("the fields grid", lambda: find(dialog, pyatspi.ROLE_TABLE, "Fields"))
    cells = grid.queryTable()
    row = next(r for r in range(cells.nRows) if cells.getAccessibleAt(r, 1).name == "Company")
    key(poll("the Edit Fields window on the screen", lambda: window_id("^Edit Fields")))
    for _ in range(6):
        if focused(grid):
            break
        press("Tab")
    press(*["Down"] * row)  # from the first field's alias
    press("F2", "End")
    typed("Name")
    press("Return")
    poll("CompanyName typed", lambda: cells.getAccessibleAt(row, 1).name == "CompanyName")
    press("Escape")
    poll("the question", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.name == "Save changes to the [Customers] table?"))
    press("y")
    poll("the Edit Fields window closed", lambda: top(app, "Edit Fields: Customers") is None)
    rows = find(table_window(window, "Customers"), pyatspi.ROLE_LIST, "Customers fields")
    names = poll("the renamed field listed", lambda: "CompanyName" in [
        rows.getChildAtIndex(i).name for i in range(rows.childCount)] and
        [rows.getChildAtIndex(i).name for i in range(rows.childCount)])
    if names[0] != "All fields":
        raise SystemExit("after Rename Fields the first row is heard as %r" % names[0])
    print("Rename Fields: Company to CompanyName, the first row still \"All fields\"")


def picture(window, folder):
    x, y, w, h = extents(table_window(window, "Orders"))
    path = os.path.join(folder, "table-window-orders.png")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                    "+repage", path], check=True)
    keep = os.environ.get("ZEL_SCREENSHOTS")
    if keep:
        subprocess.run(["cp", path, keep], check=True)


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "model")):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        ok = poll("the ReadOnly warning", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        ok.queryAction().doAction(0)
        window = poll("the data model window", lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model")
                      or find(app, pyatspi.ROLE_FRAME, "Data Model"))
        wid = poll("the window on the screen", lambda: window_id("^Data Model$"))
        poll("the tables", lambda: all(table_window(window, t) for t in TABLES))
        zoom_round_trips(window, wid)
        picture(window, folder)
        rename_company(app, window, wid)


if __name__ == "__main__":
    main()
