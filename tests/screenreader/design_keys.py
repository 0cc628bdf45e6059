# SPDX-License-Identifier: MIT
"""A whole query designed with real keys only, as a user without a mouse does it: File > New,
three tables from the add-table dialog, two joins made with "Join to", two values added from
their field rows, a sort and a filter set in the value editor and the editor closed with
Escape, a join line deleted with Tab and Delete and made again, a window moved with
Ctrl+Right. The SQL tab must show the statement the same design built by mouse gives, and the
Preview its first record. In-place editors and popup items are read as a screen reader hears
them: by the focus events they raise."""

import os
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (FocusEvents, application, enable_accessibility, extents, find,
                            focused, poll, read_sql, running, top)
from workspace_edit import add_tables, focused_table, table_window
from xwindows import key, press, typed, window_id

COMPANY = "Frontier Industries"
TABLES = ["Customers", "Orders", "Items"]
JOINS = "Customers.CustNo = Orders.CustNo\nOrders.OrderNo = Items.OrderNo"
# What the same design gives when built with the mouse (tables from the add-table dialog, the
# joins they bring, Company and Qty dragged into the grid, sort and filter in the value editor).
STATEMENT = """  SELECT Customers.CST_CO AS Customers.Company,
         Items.QTY AS Items.Qty
    FROM (":PELLOX:T0490.DB" AS Customers
         INNER JOIN ":PELLOX:T0491.DB" AS Orders
                 ON Customers.CST_NO = Orders.CST_NO)
         INNER JOIN ":PELLOX:T0493.DB" AS Items
                 ON Orders.ORD_NO = Items.ORD_NO
   WHERE (((Customers.CST_CO = "Frontier Industries")))
ORDER BY Customers.Company ASC"""
















def to_window(window, name):
    """Ctrl+Tab until the table window has the focus; a pause ends type-ahead."""
    for _ in range(4):
        if focused_table(window, TABLES) == name:
            time.sleep(0.5)
            return
        press("ctrl+Tab")
    raise SystemExit("Ctrl+Tab does not reach the %s window (at %s)" %
                     (name, focused_table(window, TABLES)))


def join_to(table, field):
    press("ctrl+j")
    poll("the Join To window", lambda: window_id("^Join "))
    typed(table)
    press("Tab")
    typed(field)
    press("Return")
    poll("the Join To window closed", lambda: window_id("^Join ") is None)
    # No window manager here to hand the X focus back to the workspace.
    key(window_id("^Querion"))


def delete_joins(app, window, surface, events):
    """Tab from the last table window to the first join line; Delete removes the focused line
    after the question and the next line takes the focus, the last one leaves it on a table."""
    mark = events.mark()
    press("Tab")
    if not events.since(mark, "image", "Customers.CustNo to Orders.CustNo, inner join"):
        raise SystemExit("Tab to the first line announced %s" % events.heard[mark:])
    for _ in range(2):
        press("Delete")
        poll("the question", lambda: pyatspi.findDescendant(
            app, lambda a: a is not None and a.name == "Remove the selected join?"))
        press("y")
    poll("both lines deleted", lambda: not surface.description)
    poll("the focus back on a table window", lambda: focused_table(window, TABLES))


def sort_and_filter(app, window, events):
    """F6 to the grid, Home to the first value, F2: in the value editor the Sort row's combo
    takes typed letters and reads as "Sort"; Alt+F turns to the Filter page, whose first value
    row takes the company; Escape closes the window applying it."""
    press("F6")
    grid = poll("F6 to the values grid", lambda: focused(
        find(window, pyatspi.ROLE_TABLE, "Values")))
    press("Home", "F2")
    editor = poll("F2 opens the value editor", lambda: top(app, "Value Editor"))
    properties = poll("the value properties", lambda: find(editor, pyatspi.ROLE_TABLE,
                                                           "Value properties"))
    for _ in range(6):
        if focused(properties):
            break
        press("Tab")
    press(*["Up"] * 12)
    mark = events.mark()
    press(*["Down"] * 9)
    if not events.since(mark, "combo box", "Sort"):
        raise SystemExit("the Sort row's combo was heard as %s" % events.heard[mark:])
    typed("A")
    press("alt+f")
    poll("Alt+F to the Filter page", lambda: focused(find(editor, pyatspi.ROLE_TABLE, "Filter")))
    press(*["Up"] * 12)
    press(*["Down"] * 3)
    typed(COMPANY)
    press("Escape")
    poll("Escape closed the value editor", lambda: not top(app, "Value Editor"))
    column = [grid.queryTable().getAccessibleAt(r, 1).name for r in (2, 4, 5)]
    if column != ["Company", "Ascending", '= "%s"' % COMPANY]:
        raise SystemExit("the Company column reads %s" % column)


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "edit", folder=folder)):
        design(host)


def design(host):
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
    workspace = poll("the workspace window", lambda: window_id("^Querion"))
    events = FocusEvents()
    key(workspace, "ctrl+n")
    add_tables(window, workspace, TABLES)
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    key(workspace)  # no window manager to give the X focus back after the dialog
    delete_joins(app, window, surface, events)
    to_window(window, "Customers")
    typed("CustNo")
    join_to("Or", "CustNo")
    to_window(window, "Orders")
    typed("OrderNo")
    join_to("It", "OrderNo")
    if surface.description != JOINS:
        raise SystemExit("the lines made by Join To: %r" % surface.description)
    print("Joins: both deleted with Tab and Delete, made again with Join To")
    to_window(window, "Customers")
    typed("Company")
    press("Return")
    to_window(window, "Items")
    typed("Qty")
    press("Return")
    sort_and_filter(app, window, events)
    print("Values: Company and Qty by Enter; sort and filter set, Escape applied them")

    key(workspace, "shift+F6")
    poll("Shift+F6 to a table window", lambda: focused_table(window, TABLES))
    to_window(window, "Orders")
    x = extents(table_window(window, "Orders"))[0]
    press("ctrl+Right")
    poll("the window moved", lambda: extents(table_window(window, "Orders"))[0] == x + 10)
    mark = events.mark()
    press("shift+F10", "Down")
    if not events.since(mark, "menu item", "Add Table"):
        raise SystemExit("the table's popup was heard as %s" % events.heard[mark:])
    press("Escape")
    press("alt+s")
    text = poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text"))
    sql = poll("the statement", lambda: read_sql(text))
    if sql != STATEMENT:
        raise SystemExit("the SQL tab shows:\n%s" % sql)
    press("alt+p")
    records = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
    table = records.queryTable()
    poll("records in the grid", lambda: table.nRows > 0)
    first = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
    if first != [COMPANY, "5"]:
        raise SystemExit("the first record reads %s" % first)
    print("SQL tab: the statement the mouse builds; Preview: %s" % first)

if __name__ == "__main__":
    main()
