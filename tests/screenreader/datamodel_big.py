# SPDX-License-Identifier: MIT
"""The data model window over a generated model of 3,000 tables, with real keys only: Ctrl+F
and a far table's name typed into "Find a table", Enter puts the keyboard in that table's
window (heard as "<alias> table, 10 fields"); Tab goes on to the first join line, heard by
name; Enter opens the Join Tables dialog and Escape closes it; Ctrl+9 zooms out to the whole
schema, whose picture is kept (ZEL_SCREENSHOTS names the folder)."""

import os
import sys
import tempfile

import pyatspi

from workspace_a11y import (FocusEvents, application, enable_accessibility, extents, find, poll,
                            running, shot)
from xwindows import key, pixels, typed, window_id

FAR = "Table2969"  # the last column's lowest table: the far corner of the schema
FIRST_LINE = "Table0.Field0 to Table54.Field3, inner join"


def table_focused(surface, said, fields):
    """True when the table window read as `said` has its field list focused. The windows come
    first among the surface's children, the tables without one (and without children) after
    them."""
    for i in range(surface.childCount):
        child = surface.getChildAtIndex(i)
        if child is None or child.childCount == 0:
            return False
        if child.name == said:
            found = find(child, pyatspi.ROLE_LIST, fields)
            return found is not None and found.getState().contains(pyatspi.STATE_FOCUSED)
    return False


def join_dialog(app):
    return next((a for a in app if a is not None and a.name.strip() == "Join Tables"
                 and a.getState().contains(pyatspi.STATE_SHOWING)), None)


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "model-big")):
        find_and_zoom(host, folder)


def find_and_zoom(host, folder):
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the data model window", lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model")
                  or find(app, pyatspi.ROLE_FRAME, "Data Model"))
    wid = poll("the window on the screen", lambda: window_id("^Data Model$"))
    events = FocusEvents()

    key(wid, "ctrl+f")
    poll("the find box focused", lambda: "Find a table" in events.names(), 10)
    typed(FAR)
    key(None, "Return")
    said = FAR + " table, 10 fields"
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    poll("the far table focused", lambda: table_focused(surface, said, FAR + " fields"), 20)
    print("Find a table: %s, heard %r" % (FAR, said))

    key(None, "Tab")
    poll("the first join line heard", lambda: FIRST_LINE in events.names(), 10)
    print("Tab: heard %r" % FIRST_LINE)
    key(None, "Return")
    poll("the Join Tables dialog", lambda: join_dialog(app), 10)
    key(None, "Escape")
    poll("the Join Tables dialog closed", lambda: not join_dialog(app), 10)
    print("Enter opened the Join Tables dialog, Escape closed it")

    box = extents(surface)
    before = pixels(*box)
    key(wid, "ctrl+9")
    poll("the schema zoomed out", lambda: pixels(*box) != before, 10)
    shot(window, "datamodel-3000-zoomed", folder)
    print("Ctrl+9: the whole schema drawn, picture taken")


if __name__ == "__main__":
    main()
