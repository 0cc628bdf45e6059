# SPDX-License-Identifier: MIT
"""The program on a database of the user's own, as a new user meets it: `pellox FILE` on an
SQLite file opens the query workspace on a model read from the file's catalogue. Two tables
added with the keys bring the join their foreign key states, and the Preview shows the
records of the join. A statement with LIMIT typed on the SQL tab opens as the design, its
Preview shows only the first records and Page Setup reads the Top values. Closed, the tour's Model Dialog opens the data model window on the same
model, its tables laid out along their joins; after a column is added to the file, Refresh
from Database lists it and Yes shows it in its table. When scripts/test.sh has started a MariaDB
server, `pellox mariadb:...` on the same shop there gives the same join and records."""

import os
import sqlite3
import subprocess
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (application, enable_accessibility, extents, find, focused, poll,
                            running, shot, showing)
from workspace_edit import add_tables, focused_table, table_window
from xwindows import click, key, press, typed, window_id

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


def make_mariadb_shop():
    """The shop on the test's MariaDB server; its address for pellox, or None without one."""
    host, port = os.environ.get("ZEL_MY_HOST"), os.environ.get("ZEL_MY_PORT")
    if not host:
        return None
    user = os.environ["ZEL_MY_USER"]
    os.environ["MYSQL_PWD"] = os.environ["ZEL_MY_PASSWORD"]
    script = ("DROP DATABASE IF EXISTS zelshop; CREATE DATABASE zelshop; USE zelshop;" +
              SHOP.replace("REFERENCES customers,", "REFERENCES customers(id),"))
    subprocess.run(["mariadb", "--no-defaults", "-h", host, "-P", port, "-u", user],
                   input=script, text=True, check=True, env=dict(os.environ))
    return "mariadb:%s:%s/zelshop?user=%s" % (host, port, user)


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
            app = design(pellox)
            top_values(app, folder)
            refresh(app, shop, folder)
    server = make_mariadb_shop()
    if server:
        with running(pellox, server):
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
    return app


def records(window, count):
    grid = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
    table = grid.queryTable()
    poll("%d records in the grid" % count, lambda: table.nRows == count)
    return [tuple(table.getAccessibleAt(r, c).name for c in range(table.nColumns))
            for r in range(table.nRows)]


def top_values(app, folder):
    window = find(app, pyatspi.ROLE_DIALOG, "Querion")
    press("alt+s")
    poll("Alt+S into the SQL text", lambda: focused(find(window, pyatspi.ROLE_TEXT, "SQL text")))
    press("ctrl+a")
    typed("select c.name, o.total from customers c join orders o on o.customer_id = c.id")
    press("Return")
    typed("order by o.total desc limit 2")
    press("ctrl+shift+d")
    press("alt+p")
    first = [("Ada", "12.50"), ("Bo", "7.00")]
    rows = poll("the first two records", lambda: records(window, 2) == first and first)
    press("alt+f", "u")  # File > Page Setup
    setup = poll("Page Setup", lambda: find(app, pyatspi.ROLE_DIALOG, "Setup"))
    spin = None
    for _ in range(3):  # Ctrl+Tab to the Options tab
        press("ctrl+Tab")
        spin = find(setup, pyatspi.ROLE_SPIN_BUTTON, "Top values:")
        if spin and showing(spin):
            break
    if not spin or not showing(spin):
        raise SystemExit("Ctrl+Tab does not reach the Top values box")
    said = poll("its value", lambda: spin.queryValue().currentValue)
    if said != 2:
        raise SystemExit("Top values reads %r" % said)
    shot(setup, "page-setup-top-values", folder)
    press("Escape")
    poll("Page Setup closed", lambda: not find(app, pyatspi.ROLE_DIALOG, "Setup"))
    print("LIMIT 2 typed: the Preview shows 2 records (%s); Page Setup reads Top values %d" %
          (rows, said))


def overlapping(boxes):
    return any(a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and
               b[1] < a[1] + a[3] for i, a in enumerate(boxes) for b in boxes[i + 1:])


def button(root, name):
    return poll("the button " + name, lambda: find(root, pyatspi.ROLE_PUSH_BUTTON, name))


def refresh(app, shop, folder):
    press("alt+f", "c")  # File > Close
    poll("the save question", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "No")).queryAction() \
        .doAction(0)
    poll("the workspace closed", lambda: not window_id("^Querion"))
    key(window_id("^Pellox Tour$"), "alt+m")
    button(app, "OK").queryAction().doAction(0)  # the model's changes last as long as the run
    window = poll("the data model window", lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model"))
    names = ["customers", "items", "orders"]
    windows = poll("the tables", lambda: [table_window(window, n) for n in names]
                   if all(table_window(window, n) for n in names) else None)
    if overlapping([extents(w) for w in windows]):
        raise SystemExit("the tables stand over each other: %s" % [extents(w) for w in windows])
    with sqlite3.connect(shop) as db:
        db.execute("ALTER TABLE customers ADD COLUMN email VARCHAR(60)")
    x, y, w, h = extents(button(window, "Refresh from Database…"))
    click(x + w // 2, y + h // 2)  # the changes window is modal: a click, not an action
    dialog = poll("the changes", lambda: find(app, pyatspi.ROLE_DIALOG, "Refresh from Database"))
    changes = poll("the list of changes", lambda: find(dialog, pyatspi.ROLE_LIST, "Changes"))
    said = [c.name for c in changes]
    if not any(n.startswith("Column [customers.email] added") for n in said):
        raise SystemExit("the changes read %s" % said)
    button(dialog, "Yes").queryAction().doAction(0)
    poll("the new column in its table", lambda: any(
        r.name.startswith("email")
        for r in find(table_window(window, "customers"), pyatspi.ROLE_LIST, "customers fields")))
    time.sleep(0.5)  # let the window repaint before the picture
    shot(window, "own-database-refreshed", folder)
    print("Data model window: tables apart; Refresh listed %s and added the column" % said)


if __name__ == "__main__":
    main()
