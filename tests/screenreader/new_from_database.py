# SPDX-License-Identifier: MIT
"""New from Database in the data model window with the mouse and real keys: the toolbar button
clicked, Yes to replacing the sample tables, an SQLite file of 20 related tables and a view typed
and read with Return, every control named; None, then customers and orders found with the
filter and checked with Space; Return takes them. The window then holds those two tables and the
join their key makes, and Ctrl+Z brings the sample tables back in one step. ZEL_SCREENSHOTS keeps
a picture of the dialog over the window and, after a second run choosing every table, of the
model arranged."""

import os
import sqlite3
import subprocess
import sys
import tempfile

import pyatspi

from workspace_a11y import (application, centre, check_names, enable_accessibility, extents,
                            find, poll, running, top)
from workspace_edit import table_window
from xwindows import click, key, press, typed, window_id

SCHEMA = """
CREATE TABLE countries (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE categories (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE suppliers (id INTEGER PRIMARY KEY, name TEXT,
  country_id INTEGER REFERENCES countries);
CREATE TABLE products (id INTEGER PRIMARY KEY, name TEXT, price NUMERIC,
  category_id INTEGER REFERENCES categories, supplier_id INTEGER REFERENCES suppliers);
CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT, country_id INTEGER REFERENCES countries);
CREATE TABLE addresses (id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers,
  city TEXT);
CREATE TABLE stores (id INTEGER PRIMARY KEY, name TEXT, country_id INTEGER REFERENCES countries);
CREATE TABLE employees (id INTEGER PRIMARY KEY, name TEXT, manager_id INTEGER REFERENCES employees,
  store_id INTEGER REFERENCES stores);
CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers(id),
  employee_id INTEGER REFERENCES employees, placed DATE);
CREATE TABLE order_items (order_id INTEGER REFERENCES orders, line INTEGER,
  product_id INTEGER REFERENCES products, qty INTEGER, PRIMARY KEY (order_id, line));
CREATE TABLE payment_methods (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE payments (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders,
  method_id INTEGER REFERENCES payment_methods, amount NUMERIC);
CREATE TABLE carriers (id INTEGER PRIMARY KEY, name TEXT);
CREATE TABLE shipments (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders,
  carrier_id INTEGER REFERENCES carriers, shipped DATE);
CREATE TABLE returns (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders, reason TEXT);
CREATE TABLE reviews (id INTEGER PRIMARY KEY, product_id INTEGER REFERENCES products,
  customer_id INTEGER REFERENCES customers, stars INTEGER);
CREATE TABLE stock (store_id INTEGER REFERENCES stores, product_id INTEGER REFERENCES products,
  qty INTEGER, PRIMARY KEY (store_id, product_id));
CREATE TABLE promotions (id INTEGER PRIMARY KEY, name TEXT, starts DATE);
CREATE TABLE product_promotions (product_id INTEGER REFERENCES products,
  promotion_id INTEGER REFERENCES promotions);
CREATE TABLE invoices (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders, total NUMERIC);
CREATE VIEW big_orders AS SELECT * FROM orders;
"""
KEEP = os.environ.get("ZEL_SCREENSHOTS")


def make_database(folder):
    path = os.path.join(folder, "shop.db")
    with sqlite3.connect(path) as db:
        db.executescript(SCHEMA)
    return path


def lines(window):
    surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
    return surface.description.split("\n") if surface and surface.description else []


def label(dialog, text):
    return find(dialog, pyatspi.ROLE_LABEL, text)


def open_dialog(app, window):
    button = poll("the New from Database button",
                  lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "New from Database…"))
    click(*centre(button))
    poll("the question", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.name == "Replace the tables of the current Data Model?"))
    press("y")
    dialog = poll("the New from Database dialog", lambda: top(app, "New from Database"))
    key(poll("the dialog on the screen", lambda: window_id("^New from Database$")))
    return dialog


def read_tables(dialog, path):
    typed(path)
    press("Return")
    poll("the tables read", lambda: label(dialog, "21 of 21 tables chosen"))
    tables = find(dialog, pyatspi.ROLE_LIST, "Tables")
    names = [tables.getChildAtIndex(i).name for i in range(tables.childCount)]
    if names[:3] != ["addresses", "big_orders (view)", "carriers"]:
        raise SystemExit("the list reads %s" % names)


def check_by_filter(dialog, text, downs, count):
    press("alt+l", "ctrl+a")
    typed(text)
    press(*["Down"] * downs, "space")
    poll("%s checked" % text, lambda: label(dialog, "%d of 21 tables chosen" % count))


def shot(boxes, name, folder):
    left = min(b[0] for b in boxes)
    upper = min(b[1] for b in boxes)
    right = max(b[0] + b[2] for b in boxes)
    lower = max(b[1] + b[3] for b in boxes)
    path = os.path.join(folder, name)
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" %
                    (right - left, lower - upper, left, upper), "+repage", path], check=True)
    if KEEP:
        subprocess.run(["cp", path, KEEP], check=True)


def choose_two(app, window, path, folder):
    dialog = open_dialog(app, window)
    read_tables(dialog, path)
    check_names(dialog, "the New from Database dialog")
    press("alt+n")
    poll("none chosen", lambda: label(dialog, "0 of 21 tables chosen"))
    check_by_filter(dialog, "customers", 1, 1)
    check_by_filter(dialog, "orders", 2, 2)  # after big_orders (view)
    press("Return")
    poll("the dialog closed", lambda: top(app, "New from Database") is None)
    poll("customers and orders", lambda: table_window(window, "customers")
         and table_window(window, "orders"))
    join = "customers.id = orders.customer_id"
    try:
        poll("their join", lambda: join in lines(window), limit=10)
    except SystemExit:
        raise SystemExit("the join lines read %s" % lines(window))
    if table_window(window, "Vendors") or len(lines(window)) != 1:
        raise SystemExit("the window still shows more: %s" % lines(window))
    print("New from Database: customers and orders, joined: " + join)


def undo(window, wid):
    key(wid, "ctrl+z")
    poll("the sample tables back", lambda: table_window(window, "Vendors")
         and table_window(window, "customers") is None)
    print("Ctrl+Z: the sample tables back in one step")


def grow(window, wid, width, height):
    subprocess.run(["xdotool", "windowmove", "--sync", wid, "5", "5"], check=False)
    subprocess.run(["xdotool", "windowsize", "--sync", wid, str(width), str(height)], check=False)
    poll("the window grown", lambda: extents(window)[2] >= width - 10)


def choose_all(app, window, wid, path, folder):
    grow(window, wid, 900, 640)
    dialog = open_dialog(app, window)
    read_tables(dialog, path)
    shot([extents(window), extents(dialog)], "new-from-database.png", folder)
    press("Return")
    poll("the dialog closed", lambda: top(app, "New from Database") is None)
    poll("the tables", lambda: table_window(window, "invoices"))
    grow(window, wid, 1270, 1000)
    poll("the join lines", lambda: len(lines(window)) >= 20)
    key(wid, "ctrl+9")  # the whole model in view
    poll("the tables drawn whole", lambda: table_window(window, "invoices") is None or
         not table_window(window, "invoices").getState().contains(pyatspi.STATE_SHOWING))
    shot([extents(window)], "model-from-database.png", folder)
    print("Every table chosen: %d join lines" % len(lines(window)))


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "model")):
        path = make_database(folder)
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        ok = poll("the ReadOnly warning", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        ok.queryAction().doAction(0)
        window = poll("the data model window", lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model")
                      or find(app, pyatspi.ROLE_FRAME, "Data Model"))
        wid = poll("the window on the screen", lambda: window_id("^Data Model$"))
        poll("the sample tables", lambda: table_window(window, "Vendors"))
        choose_two(app, window, path, folder)
        undo(window, wid)
        if KEEP:
            choose_all(app, window, wid, path, folder)


if __name__ == "__main__":
    main()
