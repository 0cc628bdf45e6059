# SPDX-License-Identifier: MIT
"""SQL typed into the SQL tab with real keys and turned into the design with Ctrl+Shift+D, as
a user without a mouse does it. A statement the design cannot hold is refused with its line and
column, the text kept and the cursor put there; the statement over the sample tables then
shows on the Query tab as table windows, join lines and values, read as a screen reader reads
them. Edited text and Alt+Q ask whether the design should follow it; No keeps the design."""

import os
import sys
import tempfile

import pyatspi

from workspace_a11y import (application, enable_accessibility, find, focused, poll, read_sql,
                            running, shot)
from xwindows import key, press, typed, window_id

REFUSED = 'SELECT CST_CO FROM "T0490.DB"\n LIMIT 5'
REFUSAL = "Error: Line 2, column 2: LIMIT cannot be written in the Paradox dialect"
STATEMENT = """SELECT Customers.CST_CO, Orders.SL_DT, Items.QTY
  FROM "T0490.DB" Customers
  JOIN "T0491.DB" Orders ON Customers.CST_NO = Orders.CST_NO
  JOIN "T0493.DB" Items ON Orders.ORD_NO = Items.ORD_NO
 WHERE Items.QTY > 50
 ORDER BY Customers.CST_CO"""
TABLES = ["Customers table, 7 fields", "Orders table, 6 fields", "Items table, 6 fields"]
JOINS = "Customers.CustNo = Orders.CustNo\nOrders.OrderNo = Items.OrderNo"
# Each value's table, field and sort, as the values grid reads them.
VALUES = [["Customers", "Company", "Ascending"], ["Orders", "SaleDate", ""],
          ["Items", "Qty", ""]]
QUESTION = "Update the design from the SQL text?"




def message(app, text):
    return pyatspi.findDescendant(app, lambda a: a is not None and a.name == text)




def sql_tab(window):
    """Alt+S: the tab's text takes the focus."""
    press("alt+s")
    return poll("Alt+S into the SQL text",
                lambda: focused(find(window, pyatspi.ROLE_TEXT, "SQL text")))


def type_sql(sql):
    press("ctrl+a")
    lines = sql.split("\n")
    for i, line in enumerate(lines):
        typed(line)
        if i + 1 < len(lines):
            press("Return")


def refused(app, window):
    type_sql(REFUSED)
    press("ctrl+shift+d")
    poll("the refusal", lambda: message(app, REFUSAL))
    press("Return")
    poll("the refusal closed", lambda: not message(app, REFUSAL))
    text = poll("the cursor back in the text",
                lambda: focused(find(window, pyatspi.ROLE_TEXT, "SQL text")))
    caret = text.queryText().caretOffset
    if read_sql(text) != REFUSED or caret != REFUSED.index("LIMIT"):
        raise SystemExit("after the refusal the text reads %r, cursor at %d" %
                         (read_sql(text), caret))
    print("Refused: the message, the text kept, the cursor on LIMIT")


def surface_of(window):
    return find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")


def shown(window):
    """The table windows, the join lines and the first values as the Query tab reads."""
    surface = surface_of(window)
    tables = sorted(c.name for c in surface if c is not None and " table, " in c.name)
    grid = find(window, pyatspi.ROLE_TABLE, "Values").queryTable()
    values = [[grid.getAccessibleAt(r, c).name for r in (1, 2, 4)] for c in (1, 2, 3)]
    return tables, surface.description, values


def designed(window):
    expected = (sorted(TABLES), JOINS, VALUES)
    try:
        poll("the design from the text", lambda: shown(window) == expected, limit=15)
    except SystemExit:
        raise SystemExit("the Query tab shows %s" % (shown(window),))


def declined(app, window):
    """An edit and Alt+Q: the question; No keeps the design."""
    sql_tab(window)
    press("ctrl+End")
    typed(" ")
    press("alt+q")
    poll("the question", lambda: message(app, QUESTION))
    press("n")
    poll("the question answered", lambda: not message(app, QUESTION))
    designed(window)
    print("Edited text, Alt+Q: asked; No kept the design")


def main():
    host = sys.argv[1]
    enable_accessibility()
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder, running(host):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
        key(poll("the workspace window", lambda: window_id("^Querion")))
        sql_tab(window)
        refused(app, window)
        type_sql(STATEMENT)
        press("ctrl+shift+d")
        designed(window)
        print("Ctrl+Shift+D: %s; lines %r; values %s" % shown(window))
        shot(window, "design-from-sql", folder)
        declined(app, window)

if __name__ == "__main__":
    main()
