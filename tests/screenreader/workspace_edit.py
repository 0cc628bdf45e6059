# SPDX-License-Identifier: MIT
"""Designs a query in the workspace as a user does, with real keys and mouse in a real X
server, and checks what is kept: tables added from the add-table dialog, windows and fields
dragged, a filter typed into the value editor that is closed with the edit still open, saved,
reopened and saved again (the two stored forms must agree), then the records exported to CSV
and dBase and read back with readers that are not ours."""

import csv
import os
import subprocess
import sys
import tempfile

import dbf
import pyatspi

from workspace_a11y import (application, centre, enable_accessibility, extents, find, poll,
                            running)
from xwindows import click, close_window, drag, key, pixels, typed, window_id

COMPANY = "Frontier Industries"


def values_grid(window):
    return poll("the values grid",
                lambda: find(window, pyatspi.ROLE_TABLE, "Values")).queryTable()


def cell_centre(table, row, column):
    return centre(table.getAccessibleAt(row, column))


def showing(node):
    return node if node and node.getState().contains(pyatspi.STATE_SHOWING) else None


def field_row(window, table, field):
    fields = poll(table + " fields", lambda: find(table_window(window, table),
                                                   pyatspi.ROLE_LIST, table + " fields"))
    for i in range(fields.childCount):
        item = fields.getChildAtIndex(i)
        if item.name == field:
            x, y, w, h = extents(item)
            return x + min(40, w // 2), y + h // 2
    raise SystemExit("no field row %s.%s" % (table, field))


def table_window(window, name):
    """A table window of the joins editor: a direct child of its surface, looked for there
    rather than across the whole program (the values grid alone has over 1,600 cells)."""
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    return next((c for c in surface if c is not None and c.name.startswith(name + " table,")),
                None)


def focused_table(window, names):
    """Which of the named table windows has the keyboard focus in its field list, or None."""
    for name in names:
        fields = find(table_window(window, name), pyatspi.ROLE_LIST, name + " fields")
        if fields.getState().contains(pyatspi.STATE_FOCUSED):
            return name
    return None


def add_tables(window, workspace, names):
    key(workspace, "alt+i", "t")
    poll("the add-table dialog", lambda: window_id("^Add Table$"))
    for name in names:
        key(None, "ctrl+a")
        typed(name)
        key(None, "Return")
        poll("the window " + name, lambda n=name: table_window(window, n))
    key(None, "Escape")


def spread_tables(window, names, gap=220):
    """The add-table dialog drops every window at one spot; move them apart by their title
    bars, the last added (on top) furthest right."""
    for step, name in reversed(list(enumerate(names))[1:]):
        frame = table_window(window, name)
        ex, ey, ew, _ = extents(frame)
        x, y = ex + ew // 2, ey + 8
        left = extents(table_window(window, names[0]))[0]
        drag(x, y, x + (left + step * gap - ex), y)
    boxes = [extents(table_window(window, n)) for n in names]
    for a, b in zip(boxes, boxes[1:]):
        if a[0] + a[2] > b[0]:
            raise SystemExit("table windows still overlap after moving them")


def drop_field(window, table, field, grid, column):
    x, y = field_row(window, table, field)
    drag(x, y, *cell_centre(grid, 0, column))
    poll("%s.%s in column %d" % (table, field, column),
         lambda: grid.getAccessibleAt(2, column).name == field)


def type_filter_and_close(app, grid, column, text):
    """Opens the value editor on the column's first filter row, types a value into the
    filter page's first value row and closes the window while that cell is still being
    edited, as a user clicking the close button would."""
    click(*cell_centre(grid, 5, column), count=2)
    editor = poll("the value editor", lambda: window_id("Value Editor"))
    page = poll("the Filter page's tab", lambda: find(app, pyatspi.ROLE_PAGE_TAB, "Filter"))
    click(*centre(page))
    filters = poll("the filter properties", lambda: showing(find(app, pyatspi.ROLE_TABLE,
                                                                  "Filter")))
    table = filters.queryTable()
    poll("the first value row", lambda: table.getAccessibleAt(3, 0).name.strip() == "Value 1")
    click(*cell_centre(table, 3, 1))
    cell = extents(table.getAccessibleAt(3, 1))
    before = pixels(*cell)
    typed(text)
    # The cell editor is not on the bus; its pixels tell that the keys have arrived.
    poll("the typed value drawn", lambda: pixels(*cell) != before)
    close_window(editor)
    poll("the value editor closed", lambda: window_id("Value Editor") is None)
    said = grid.getAccessibleAt(5, column).name
    if said != '= "%s"' % text:
        raise SystemExit("Filter 1 says %r after closing the value editor" % said)


def save_as(workspace, path, menu=True):
    if menu:
        key(workspace, "alt+f", "a")
    else:
        key(workspace, "ctrl+s")
    poll("the save dialog", lambda: window_id("Save As"))
    typed(path)
    key(None, "Return")
    poll("the file " + path, lambda: os.path.exists(path if path.endswith(".zel")
                                                    else path + ".zel"))


def open_file(workspace, path):
    key(workspace, "ctrl+o")
    poll("the open dialog", lambda: window_id("Open"))
    typed(path)
    key(None, "Return")


def preview_rows(window):
    key(window_id("^Querion"), "alt+p")
    grid = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
    table = grid.queryTable()
    poll("records in the grid", lambda: table.nRows > 0)
    return [[table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
            for r in range(table.nRows)]


def export(app, workspace, path, type_letter):
    key(workspace, "alt+f", "e")
    poll("the export dialog", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Options"))
    key(None, "alt+t")
    key(None, type_letter)
    key(None, "alt+n")
    typed(path)
    key(None, "Return")
    said = poll("the success message", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and "successfully created" in (a.name or ""))).name
    if said != path + " has been successfully created.":
        raise SystemExit("the success message says %r" % said)
    key(None, "Return")
    poll("the file " + path, lambda: os.path.exists(path))


def read_back(folder, rows):
    """The CSV and dBase files must hold the records the Preview showed, read by Python's own
    csv module and by the dbf package."""
    with open(os.path.join(folder, "out.csv"), newline="", encoding="latin-1") as f:
        written = list(csv.reader(f))
    if written[0] != ["Company", "SaleDate", "Qty"] or len(written) - 1 != len(rows):
        raise SystemExit("out.csv: %s ... (%d lines) for %d records" %
                         (written[0], len(written), len(rows)))
    if any(r[0] != COMPANY for r in written[1:]):
        raise SystemExit("out.csv holds other companies")
    table = dbf.Table(os.path.join(folder, "out.dbf"))
    table.open()
    try:
        names = [n.upper() for n in table.field_names]
        if len(table) != len(rows) or names[:1] != ["COMPANY"]:
            raise SystemExit("out.dbf: %d records, fields %s" % (len(table), names))
        if any(str(r[0]).strip() != COMPANY for r in table):
            raise SystemExit("out.dbf holds other companies")
        if [int(r[2]) for r in table] != [int(r[2]) for r in written[1:]]:
            raise SystemExit("out.dbf and out.csv disagree on Qty")
    finally:
        table.close()
    print("Export: %d records in out.csv and out.dbf, read back" % len(rows))


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "edit", folder=folder) as proc):
        edit(host, folder, proc)


def edit(host, folder, proc):
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
    workspace = poll("the workspace window", lambda: window_id("^Querion"))
    grid = values_grid(window)
    key(workspace, "ctrl+n")
    poll("an empty grid", lambda: grid.getAccessibleAt(0, 1).name == "")

    tables = ["Customers", "Orders", "Items"]
    add_tables(window, workspace, tables)
    spread_tables(window, tables)
    x, y = field_row(window, "Orders", "OrderNo")
    drag(x, y, *field_row(window, "Items", "OrderNo"))
    drop_field(window, "Customers", "Company", grid, 1)
    drop_field(window, "Orders", "SaleDate", grid, 2)
    drop_field(window, "Items", "Qty", grid, 3)
    type_filter_and_close(app, grid, 1, COMPANY)
    print("Designed: 3 tables, 3 values, a filter typed and the value editor closed")

    first = os.path.join(folder, "design")
    save_as(workspace, first, menu=False)
    caption = subprocess.run(["xdotool", "getwindowname", workspace], check=True,
                             capture_output=True, text=True).stdout.strip()
    if caption != "Querion: " + first + ".zel":
        raise SystemExit("caption %r does not name the file written" % caption)
    open_file(workspace, first + ".zel")
    again = os.path.join(folder, "again.zel")
    save_as(workspace, again)
    stored = open(first + ".zel", encoding="latin-1").read()
    if stored != open(again, encoding="latin-1").read():
        raise SystemExit("the stored form changed over save, open and save")
    for piece in ("Filter = '%s|'" % COMPANY, "ValueAlias = 'Qty'",
                  "LeftTableAlias = 'Orders'", "RightTableAlias = 'Items'"):
        if piece not in stored:
            raise SystemExit("the stored form lacks %s:\n%s" % (piece, stored))
    if stored.count("LeftFieldAlias = 'OrderNo'") != 1:
        raise SystemExit("the dragged join pair is stored twice or not at all")
    print("Saved, reopened and saved again: the stored forms agree")

    rows = preview_rows(window)
    if any(r[0] != COMPANY for r in rows):
        raise SystemExit("the Preview shows other companies: %s" % rows[:3])
    export(app, workspace, os.path.join(folder, "out.csv"), "c")
    export(app, workspace, os.path.join(folder, "out.dbf"), "d")
    read_back(folder, rows)
    close_window(workspace)
    proc.wait(30)

if __name__ == "__main__":
    main()
