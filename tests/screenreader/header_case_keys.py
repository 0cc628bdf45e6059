# SPDX-License-Identifier: MIT
"""A header keeps the text it was saved with: "Step 1" saved with its State header typed as
"ST" and VendorName as "VN" is opened with real keys; the values grid, the SQL tab and the
file saved again all read "ST" and "VN", not "St" and "Vn"."""

import os
import sys
import tempfile

import pyatspi

from workspace_a11y import (application, enable_accessibility, find, poll, read_sql, running,
                            shot)
from workspace_edit import open_file, save_as, values_grid
from xwindows import key, window_id

STEP1 = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples",
                     "step1.zel")
HEADERS = {"State": "ST", "VendorName": "VN"}  # field: header as typed


def saved_with_capitals(path):
    with open(STEP1, encoding="utf-8", newline="") as f:
        text = f.read()
    for field, header in HEADERS.items():
        text = text.replace("ValueAlias = '%s'" % field, "ValueAlias = '%s'" % header)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def headers(grid):
    """Field (row 2) to header (row 0) of every value the grid shows."""
    return {grid.getAccessibleAt(2, c).name: grid.getAccessibleAt(0, c).name
            for c in range(1, grid.nColumns) if grid.getAccessibleAt(2, c).name}


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "edit", folder=folder)):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
        workspace = poll("the workspace window", lambda: window_id("^Querion"))
        grid = values_grid(window)
        path = os.path.join(folder, "capitals.zel")
        saved_with_capitals(path)
        open_file(workspace, path)
        try:
            poll("the headers as saved", lambda: all(
                headers(grid).get(f) == h for f, h in HEADERS.items()), limit=10)
        except SystemExit:
            raise SystemExit("the values grid reads %s" % headers(grid))
        print("Opened: the grid reads %s" % headers(grid))
        shot(window, "header-case", folder)

        key(workspace, "alt+s")
        sql = read_sql(poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text")))
        for wanted in ("AS Customers.ST,", "AS Vendors.VN\n"):
            if wanted not in sql:
                raise SystemExit("the SQL tab lacks %r:\n%s" % (wanted, sql))
        print("SQL tab: the headers as saved")

        again = os.path.join(folder, "again.zel")
        save_as(workspace, again)
        with open(again, encoding="utf-8") as f:
            stored = f.read()
        for header in HEADERS.values():
            if "ValueAlias = '%s'" % header not in stored:
                raise SystemExit("saved again without the header %s" % header)
        print("Saved again: the headers as typed")


if __name__ == "__main__":
    main()
