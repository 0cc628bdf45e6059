"""Undo with real keys: with the value Company added by Enter, a join line deleted with Delete after the usual question comes back
with Ctrl+Z, and the SQL tab shows its condition again."""

import os
import sys

import pyatspi

from workspace_a11y import (application, enable_accessibility, find, poll, read_sql, running)
from workspace_edit import add_tables, focused_table
from xwindows import key, press, typed, window_id

CONDITION = "Customers.CST_NO = Orders.CST_NO"


def lines(surface):
    return surface.description.split("\n") if surface.description else []


def sql_text(window):
    press("alt+s")
    return poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text"))


def to_window(window, names, name):
    while focused_table(window, names) != name:
        key(None, "ctrl+Tab")


def main():
    host = sys.argv[1]
    enable_accessibility()
    with running(host):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
        workspace = poll("the workspace window", lambda: window_id("^Querion"))
        key(workspace, "ctrl+n")
        names = ["Customers", "Orders"]
        add_tables(window, workspace, names)
        surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
        key(workspace)  # no window manager: the X focus goes back by hand
        poll("a table window with the focus", lambda: focused_table(window, names))
        to_window(window, names, "Customers")
        typed("Company")  # a statement needs a value
        press("Return")
        to_window(window, names, "Orders")
        key(None, "Tab")
        poll("a join line selected", lambda: any(l.endswith("(selected)") for l in lines(surface)))
        before = lines(surface)
        key(None, "Delete")
        poll("the question", lambda: pyatspi.findDescendant(
            app, lambda a: a is not None and a.name == "Remove the selected join?"))
        key(None, "y")
        poll("the line removed", lambda: len(lines(surface)) == len(before) - 1)
        key(workspace, "ctrl+z")
        poll("the line back", lambda: len(lines(surface)) == len(before))
        print("Delete removed the line, Ctrl+Z brought it back: %s" % lines(surface))
        text = sql_text(window)
        try:
            poll("the condition in the SQL", lambda: CONDITION in read_sql(text), limit=10)
        except SystemExit:
            raise SystemExit("the SQL tab reads %r" % read_sql(text))
        print("The SQL tab shows %s again" % CONDITION)


if __name__ == "__main__":
    main()
