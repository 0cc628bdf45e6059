# SPDX-License-Identifier: MIT
"""A join made with keys only: a field row chosen by typing in a table window, Ctrl+J, the
other table and field typed into the "Join to" dialog's lists, a left join chosen, Enter; the
query saved must hold a join that keeps the records of the table the user started from."""

import os
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import (application, check_names, enable_accessibility, find, poll, running,
                            shot)
from workspace_edit import add_tables, save_as
from xwindows import key, typed, window_id


def join_dialog(app):
    return pyatspi.findDescendant(app, lambda a: a is not None and a.getRole() ==
                                  pyatspi.ROLE_DIALOG and a.name.startswith("Join "))


def main():
    host = sys.argv[1]
    enable_accessibility()
    with (tempfile.TemporaryDirectory(ignore_cleanup_errors=True) as folder,
          running(host, "edit", folder=folder)):
        join_by_keys(host, folder)


def join_by_keys(host, folder):
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion"))
    workspace = poll("the workspace window", lambda: window_id("^Querion"))
    key(workspace, "ctrl+n")
    add_tables(window, workspace, ["Customers", "Orders"])
    # The last table added has the focus: pick its CustNo row by typing.
    typed("CustNo")
    key(workspace, "ctrl+j")
    poll("the Join To window", lambda: window_id("^Join "))
    dialog = poll("the Join To dialog", lambda: join_dialog(app))
    if dialog.name != "Join Orders.CustNo To":
        raise SystemExit("the dialog is titled %r" % dialog.name)
    typed("Cu")
    key(None, "Tab")
    typed("CustNo")
    key(None, "alt+l")
    time.sleep(0.3)
    check_names(dialog, "the Join To dialog")
    shot(dialog, "dialog-jointo", folder)
    key(None, "Return")
    poll("the dialog closed", lambda: join_dialog(app) is None)

    # The SQL tab wants a value, which keys cannot add yet: read the stored form instead.
    path = os.path.join(folder, "joined")
    save_as(workspace, path, menu=False)
    stored = open(path + ".zel", encoding="latin-1").read()
    # Adding the tables joined them already (Customers -> Orders): the join is reused,
    # and "left" from Orders keeps the Orders, the right side of that stored join.
    for piece in ("LeftTableAlias = 'Customers'", "RightTableAlias = 'Orders'",
                  "JoinType = zelJoinRight", "LeftFieldAlias = 'CustNo'"):
        if piece not in stored:
            raise SystemExit("the stored form lacks %s:\n%s" % (piece, stored))
    print("Join To by keys: left from Orders stored as the Customers-Orders join's right join")

if __name__ == "__main__":
    main()
