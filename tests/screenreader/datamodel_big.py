"""The data model window over a generated model of 3,000 tables, with real keys only: Ctrl+F
and a far table's name typed into "Find a table", Enter puts the keyboard in that table's
window (heard as "<alias> table, 10 fields"); Tab goes on to the first join line, heard by
name; Enter opens the Join Tables dialog and Escape closes it; Ctrl+9 zooms out to the whole
schema, whose picture is kept (ZEL_SCREENSHOTS names the folder)."""

import os
import shutil
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import GLib

from workspace_a11y import application, enable_accessibility, extents, find, host_env, poll, stop
from workspace_a11y import shot
from xwindows import key, pixels, typed, window_id

FAR = "Table2969"  # the last column's lowest table: the far corner of the schema
FIRST_LINE = "Table0.Field0 to Table54.Field3, inner join"
heard = []


def focused(event):
    if event.detail1 and event.source is not None:
        parent = event.source.parent
        heard.append((event.source.name, parent.name if parent is not None else ""))


def pump():
    for _ in range(50):
        GLib.MainContext.default().iteration(False)


def was_heard(what):
    """A name heard, or a (name, parent's name) pair."""
    pump()
    return any(what == said or what in said for said in heard)


def table_focused(surface, said, fields):
    """True when the table window read as `said` has its field list focused. The windows come
    first among the surface's children, the tables without one (and without children) after
    them."""
    for i in range(surface.childCount):
        child = surface.getChildAtIndex(i)
        if child is None or child.childCount == 0:
            return False
        if child.name == said:
            found = find(child, pyatspi.ROLE_LIST, fields)
            return found is not None and found.getState().contains(pyatspi.STATE_FOCUSED)
    return False


def join_dialog(app):
    return next((a for a in app if a is not None and a.name.strip() == "Join Tables"
                 and a.getState().contains(pyatspi.STATE_SHOWING)), None)


def main():
    host = sys.argv[1]
    enable_accessibility()
    proc = subprocess.Popen([host, "model-big"], stdout=subprocess.DEVNULL, env=host_env())
    folder = tempfile.mkdtemp()
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the data model window", lambda: find(app, pyatspi.ROLE_DIALOG, "Data Model")
                      or find(app, pyatspi.ROLE_FRAME, "Data Model"))
        wid = poll("the window on the screen", lambda: window_id("^Data Model$"))
        pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")

        key(wid, "ctrl+f")
        poll("the find box focused", lambda: was_heard("Find a table"), 10)
        typed(FAR)
        key(None, "Return")
        said = FAR + " table, 10 fields"
        surface = find(window, pyatspi.ROLE_LAYERED_PANE, "Tables and join lines")
        poll("the far table focused", lambda: table_focused(surface, said, FAR + " fields"), 20)
        print("Find a table: %s, heard %r" % (FAR, said))

        key(None, "Tab")
        poll("the first join line heard", lambda: was_heard(FIRST_LINE), 10)
        print("Tab: heard %r" % FIRST_LINE)
        key(None, "Return")
        poll("the Join Tables dialog", lambda: join_dialog(app), 10)
        key(None, "Escape")
        poll("the Join Tables dialog closed", lambda: not join_dialog(app), 10)
        print("Enter opened the Join Tables dialog, Escape closed it")

        box = extents(surface)
        before = pixels(*box)
        key(wid, "ctrl+9")
        poll("the schema zoomed out", lambda: pixels(*box) != before, 10)
        shot(window, "datamodel-3000-zoomed", folder)
        print("Ctrl+9: the whole schema drawn, picture taken")
    except BaseException:
        print("heard: %s" % heard[-6:])
        where = os.environ.get("ZEL_FAIL_SHOT")
        if where:
            subprocess.run(["import", "-window", "root", where], check=False)
        raise
    finally:
        shutil.rmtree(folder, ignore_errors=True)
        stop(proc)


if __name__ == "__main__":
    main()
