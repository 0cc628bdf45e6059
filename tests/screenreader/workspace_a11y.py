# SPDX-License-Identifier: MIT
"""Reads the query workspace as a screen reader would: the SQL tab's text must be the
statement the query component generates, and the Preview grid must announce the column titles
and the first records of "Step 1"."""

import contextlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TITLES = ["Company", "State", "SaleDate", "PartDesc", "Qty", "Cost", "VendorName"]


def enable_accessibility():
    subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                    "string:IsEnabled", "variant:boolean:true"], check=False)


def poll(what, probe, limit=30.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # the tree changes under us while the window builds
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise SystemExit("timed out waiting for " + what)


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
    return None


def extents(node):
    """Where the object is on the screen: (x, y, width, height)."""
    return tuple(node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))


def centre(node):
    x, y, w, h = extents(node)
    return x + w // 2, y + h // 2


def find(root, role, name):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.getRole() == role and a.name == name)


def press_tab(window, caption):
    tab = poll("tab " + caption, lambda: find(window, pyatspi.ROLE_PAGE_TAB, caption))
    action = tab.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("press") if "press" in names else 0)


def read_sql(sql_text):
    text = sql_text.queryText()
    return text.getText(0, -1)


NAMED_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_COMBO_BOX,
               pyatspi.ROLE_TEXT, pyatspi.ROLE_TABLE, pyatspi.ROLE_PAGE_TAB,
               pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_SPIN_BUTTON,
               pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE}


def unnamed_controls(root):
    """Controls on screen that a screen reader could only call by their kind."""
    found = []
    checked = [0]

    def walk(node, depth):
        if node is None or depth > 40:
            return
        role = node.getRole()
        showing = node.getState().contains(pyatspi.STATE_SHOWING)
        if role == pyatspi.ROLE_TABLE_CELL or role == pyatspi.ROLE_COLUMN_HEADER:
            return  # cells speak their text; a grid is named once
        if showing and role in NAMED_ROLES:
            checked[0] += 1
        if showing and role in NAMED_ROLES and not node.name:
            found.append("%s under %s" % (node.getRoleName(), node.parent.name or
                                          node.parent.getRoleName()))
        for child in node:
            walk(child, depth + 1)

    walk(root, 0)
    return found, checked[0]


def check_names(window, where):
    missing, checked = unnamed_controls(window)
    if missing:
        raise SystemExit("controls without a name on %s: %s" % (where, "; ".join(missing)))
    print("%s: %d controls, each named" % (where, checked))


def shot(window, name, folder):
    """A picture of the window as the X server shows it; it must not be blank. With
    ZEL_SCREENSHOTS set, the picture is also kept in that folder."""
    x, y, w, h = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    path = os.path.join(folder, name + ".png")
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                    "+repage", path], check=True)
    colours = int(subprocess.run(["identify", "-format", "%k", path], check=True,
                                 capture_output=True, text=True).stdout)
    if colours < 16:
        raise SystemExit("%s looks blank (%d colours)" % (name, colours))
    keep = os.environ.get("ZEL_SCREENSHOTS")
    if keep:
        shutil.copy(path, os.path.join(keep, name + ".png"))


WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW,
                pyatspi.ROLE_FILLER}


def focused(node):
    return node if node and node.getState().contains(pyatspi.STATE_FOCUSED) else None


def showing(node):
    return node if node and node.getState().contains(pyatspi.STATE_SHOWING) else None


def top(app, name):
    """A window of the application by its name, searched among the top level only."""
    for w in app:
        if w is not None and w.name == name and w.getRole() in WINDOW_ROLES and showing(w):
            return w
    return None


def label(node):
    """What a screen reader calls a control: the label it is labelled by, else its name (on
    this platform a combo box's name is its current text)."""
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return relation.getTarget(0).name
    return node.name


class FocusEvents:
    """What a screen reader hears as the focus moves: (role, label, name) of each object that
    takes it, popup menu items included (they are in no window's tree on this platform)."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self._focused, "object:state-changed:focused")

    def _focused(self, event):
        try:
            if event.detail1 and event.source is not None:
                source = event.source
                self.heard.append((source.getRoleName(), label(source), source.name))
        except GLib.GError:
            pass  # an object gone before its event was read

    def pump(self):
        for _ in range(200):
            GLib.MainContext.default().iteration(False)

    def mark(self):
        self.pump()
        return len(self.heard)

    def since(self, mark, role, name):
        """Whether an object of the role was heard by that label since the mark."""
        self.pump()
        return any(r == role and n == name for r, n, _ in self.heard[mark:])

    def names(self):
        self.pump()
        return [n for _, _, n in self.heard]


@contextlib.contextmanager
def running(host, *args, folder=None):
    """The host program on the bus for the span of a with block (saving into folder when
    given); on a failure the screen is kept where ZEL_FAIL_SHOT says."""
    env = host_env() if folder is None else dict(host_env(), ZEL_EDIT_FOLDER=folder)
    proc = subprocess.Popen([host, *args], stdout=subprocess.DEVNULL, env=env)
    try:
        yield proc
    except BaseException:
        where = os.environ.get("ZEL_FAIL_SHOT")
        if where:
            subprocess.run(["import", "-window", "root", where], check=False)
        raise
    finally:
        stop(proc)


def host_env():
    return dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")


def stop(proc):
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()


def data_model_window(host):
    """The data model window after the warning about ReadOnly: its toolbar buttons are named
    by their hints and the joins editor shows the five tables."""
    proc = subprocess.Popen([host, "model"], stdout=subprocess.DEVNULL, env=host_env())
    folder = tempfile.mkdtemp()
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        ok = poll("the ReadOnly warning", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        ok.queryAction().doAction(0)
        window = poll("the data model window",
                      lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model")
                      or find(app, pyatspi.ROLE_FRAME, "Data Model"))
        for hint in ("Add Table", "Remove Table", "Rename Table", "Edit Join", "Remove Join",
                     "Rename Fields", "Help"):
            poll("the button " + hint, lambda h=hint: find(window, pyatspi.ROLE_PUSH_BUTTON, h))
        time.sleep(0.5)  # let the first paint finish before the picture
        shot(window, "datamodel-window-xvfb", folder)
        check_names(window, "the data model window")
        print("Data model window: toolbar read, picture taken")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        stop(proc)


def main():
    host = sys.argv[1]
    enable_accessibility()
    data_model_window(host)
    proc = subprocess.Popen([host], stdout=subprocess.PIPE, text=True, env=host_env())
    folder = tempfile.mkdtemp()
    try:
        lines = []
        for line in proc.stdout:
            line = line.rstrip("\n")
            if line == "--- END":
                break
            if line != "--- SQL":
                lines.append(line)
        expected = "\n".join(lines)
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: find(app, pyatspi.ROLE_DIALOG, "Querion")
                      or find(app, pyatspi.ROLE_FRAME, "Querion"))

        poll("the tables drawn", lambda: find(window, pyatspi.ROLE_TABLE, "Values"))
        time.sleep(0.5)  # let the first paint finish before the picture
        shot(window, "workspace-query", folder)
        check_names(window, "the Query tab")

        press_tab(window, "SQL")
        sql_text = poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text"))
        said = poll("the statement", lambda: read_sql(sql_text) or None)
        if said != expected:
            raise SystemExit("SQL tab says:\n%s\nexpected:\n%s" % (said, expected))
        print("SQL tab: %d lines, as generated" % len(said.splitlines()))
        shot(window, "workspace-sql", folder)
        check_names(window, "the SQL tab")

        press_tab(window, "Preview")
        grid = poll("the records grid", lambda: find(window, pyatspi.ROLE_TABLE, "Records"))
        table = grid.queryTable()
        poll("records in the grid", lambda: table.nRows > 0)
        titles = [table.getColumnHeader(c).name for c in range(table.nColumns)]
        if titles != TITLES:
            raise SystemExit("column titles %s, expected %s" % (titles, TITLES))
        first = [table.getAccessibleAt(0, c).name for c in range(table.nColumns)]
        print("Preview: %d rows; first: %s" % (table.nRows, " | ".join(first)))
        if table.nRows != 36 or first[0] != "Atlas Equipment" or first[1] != "NE":
            raise SystemExit("unexpected records: %d rows, first %s" % (table.nRows, first))
        shot(window, "workspace-preview", folder)
        check_names(window, "the Preview tab")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        stop(proc)


if __name__ == "__main__":
    main()
