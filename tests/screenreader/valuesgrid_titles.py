# SPDX-License-Identifier: MIT
"""The values grid scrolled to the right with real keys: its row titles (Header, Table, Field,
Show, Sort, Filter n) stay where they were, on the bus and on the screen, while the values
slide under them."""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (application, enable_accessibility, extents, find, host_env, poll,
                            stop)
from xwindows import xdotool

TITLES = ["Header", "Table", "Field", "Show", "Sort", "Filter 1"]


def crop(box, path):
    """The screen's pixels inside box (x, y, w, h), as the X server shows them."""
    x, y, w, h = box
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                    "+repage", "rgb:" + path], check=True)
    with open(path, "rb") as f:
        return f.read()


def title_cells(table):
    return [table.getAccessibleAt(row, 0) for row in range(len(TITLES))]


def main():
    host = sys.argv[1]
    enable_accessibility()
    proc = subprocess.Popen([host], stdout=subprocess.DEVNULL, env=host_env())
    folder = tempfile.mkdtemp()
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion")
                      or find(app, pyatspi.ROLE_FRAME, "Querion"))
        grid = poll("the values grid", lambda: find(window, pyatspi.ROLE_TABLE, "Values"))
        table = grid.queryTable()
        titles = [c.name.strip() for c in title_cells(table)]
        if titles != TITLES:
            raise SystemExit("row titles %s, expected %s" % (titles, TITLES))
        gx, gy, gw, gh = extents(grid)
        first = extents(table.getAccessibleAt(0, 0))
        value = extents(table.getAccessibleAt(0, 1))
        strip = (first[0], first[1], first[2], 6 * first[3])
        beside = (value[0], value[1], value[2], 6 * value[3])
        time.sleep(0.5)  # the first paint
        before = crop(strip, os.path.join(folder, "before"))
        values_before = crop(beside, os.path.join(folder, "values-before"))

        # A click on the first value, then End: the grid scrolls to its last column.
        wid = subprocess.run(["xdotool", "search", "--name", "^Querion$"], check=True,
                             capture_output=True, text=True).stdout.split()[0]
        xdotool("windowfocus", "--sync", wid)
        xdotool("mousemove", "--sync", str(value[0] + value[2] // 2),
                str(value[1] + value[3] // 2), "click", "1")
        xdotool("mousemove", "--sync", str(gx + gw // 2), str(gy - 40))
        xdotool("key", "--clearmodifiers", "End")
        poll("the grid scrolled right",
             lambda: extents(table.getAccessibleAt(0, 1))[0] < value[0] - value[2])
        time.sleep(0.5)  # the repaint after the scroll

        moved = [extents(c)[:2] for c in title_cells(table)]
        expected = [(first[0], first[1] + row * first[3]) for row in range(len(TITLES))]
        if [m[0] for m in moved] != [e[0] for e in expected]:
            raise SystemExit("row titles moved on the bus: %s, expected x %d" %
                             (moved, first[0]))
        after = crop(strip, os.path.join(folder, "after"))
        if after != before:
            raise SystemExit("the row titles changed on the screen when the grid scrolled")
        if crop(beside, os.path.join(folder, "values-after")) == values_before:
            raise SystemExit("the values beside the titles did not scroll")
        print("Values grid scrolled right by End: titles %s stay at x=%d" %
              (", ".join(TITLES), first[0]))
    finally:
        subprocess.run(["rm", "-rf", folder], check=False)
        stop(proc)


if __name__ == "__main__":
    main()
