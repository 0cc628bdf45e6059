"""The program on a database of the user's own, as a new user meets it: `pellox FILE` on an
SQLite file opens the query workspace on a model read from the file's catalogue. Two tables
added with the keys bring the join their foreign key states, and the Preview shows the
records of the join."""

import os
import sqlite3
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import application, enable_accessibility, find, poll, running
from workspace_edit import add_tables, focused_table
from xwindows import key, press, typed, window_id

SHOP = """
CREATE TABLE customers(id INTEGER PRIMARY KEY, name TEXT NOT NULL, city VARCHAR(30));
CREATE TABLE orders(id INTEGER PRIMARY KEY, customer_id INTEGER NOT NULL REFERENCES customers,
                    placed DATE, total NUMERIC(10,2));
CREATE TABLE items(order_id INTEGER REFERENCES orders(id), line INTEGER, product VARCHAR(40),
                   PRIMARY KEY(order_id, line));
INSERT INTO customers VALUES (1, 'Ada', 'Leeds'), (2, 'Bo', 'York');
INSERT INTO orders VALUES (10, 1, '2026-01-02', 12.5), (11, 2, '2026-02-03', 7),
                          (12, 1, '2026-03-04', 3.25);
"""
TABLES = ["Customers", "Orders"]  # the query names its tables in capitals


def make_shop(folder):
    path = os.path.join(folder, "shop.db")
    with sqlite3.connect(path) as db:
        db.executescript(SHOP)
    return path


def to_window(window, name):
    for _ in range(4):
        if focused_table(window, TABLES) == name:
            time.sleep(0.5)  # a pause ends type-ahead
            return
        press("ctrl+Tab")
    raise SystemExit("Ctrl+Tab does not reach the %s window" % name)


def main():
    pellox = sys.argv[1]
    enable_accessibility()
    with tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder:
        shop = make_shop(folder)
        with running(pellox, shop):
            design(pellox)


def design(pellox):
    app = poll("the program on the bus", lambda: application(os.path.basename(pellox)))
    window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
    workspace = poll("the workspace window", lambda: window_id("^Querion"))
    add_tables(window, workspace, TABLES)
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    if surface.description != "Customers.id = Orders.customer_id":
        raise SystemExit("the join drawn from the key: %r" % surface.description)
    print("Join from the foreign key: %s" % surface.description)
    key(workspace)  # no window manager to give the X focus back after the dialog
    to_window(window, "Customers")
    typed("name")
    press("Return")
    to_window(window, "Orders")
    typed("total")
    press("Return")
    press("alt+p")
    records = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
    table = records.queryTable()
    poll("records in the grid", lambda: table.nRows == 3)
    rows = sorted(tuple(table.getAccessibleAt(r, c).name for c in range(table.nColumns))
                  for r in range(table.nRows))
    if rows != [("Ada", "12.50"), ("Ada", "3.25"), ("Bo", "7.00")]:
        raise SystemExit("the Preview reads %s" % rows)
    print("Preview: %s" % rows)


if __name__ == "__main__":
    main()
