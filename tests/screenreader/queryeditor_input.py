# SPDX-License-Identifier: MIT
"""The query editor driven as a user drives it, with real mouse and keys under Xvfb:
1. a header cleared in the value editor's open cell editor, then the workspace focused: the
   window refuses with the blank-Header message and stays open, the grid keeps the header;
   typed again and left open, "&Hide" applies it;
2. Save As with "task3" typed writes task3.zel and the caption names that file;
3. the splitter dragged down is where the user left it when the program runs again."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

from workspace_a11y import application, centre, enable_accessibility, extents, find, poll, stop
from xwindows import window_id, xdotool

BLANK_HEADER = "Error: Cannot save a value with a blank Header"


STARTED = time.monotonic()


def say(text):
    print("%5.1f s  %s" % (time.monotonic() - STARTED, text))


def focus(title):
    xdotool("windowfocus", "--sync", poll("the X window " + title, lambda: window_id(title)))


def click(accessible, button="1", repeat=1):
    x, y = centre(accessible)
    xdotool("mousemove", "--sync", str(x), str(y), "click", "--repeat", str(repeat), button)


def find_any(root, name, roles):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.name == name and a.getRole() in roles)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


WINDOW_ROLES = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW,
                pyatspi.ROLE_FILLER}  # a tool window is a filler on the bus


def start(host, config):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_CONFIG_HOME=config)
    proc = subprocess.Popen([host, "edit"], stdout=subprocess.DEVNULL, env=env)
    app = poll("the host on the bus", lambda: application(os.path.basename(host)))
    window = poll("the workspace", lambda: find_any(app, "Querion", WINDOW_ROLES))
    return proc, app, window


def splitter(window):
    return poll("the splitter", lambda: pyatspi.findDescendant(
        window, lambda a: a is not None and a.name == "Horizontal splitter"))


def drag_splitter(window, by):
    bar = splitter(window)
    x, y = centre(bar)
    xdotool("mousemove", "--sync", str(x), str(y), "mousedown", "1")
    for step in range(1, 11):
        xdotool("mousemove", "--sync", str(x), str(y + by * step // 10))
        time.sleep(0.03)
    xdotool("mouseup", "1")
    return poll("the splitter moved", lambda: extents(bar)[1] if abs(
        extents(bar)[1] - (y - extents(bar)[3] // 2 + by)) <= 2 else None)


def header_refused(app, window):
    grid = poll("the values grid", lambda: find(window, pyatspi.ROLE_TABLE, "Values"))
    table = grid.queryTable()
    column = [table.getAccessibleAt(0, c).name for c in range(1, 9)].index("Qty") + 1
    focus("^Querion$")
    click(table.getAccessibleAt(0, column), repeat=2)
    editor = poll("the value editor", lambda: find_any(app, "Value Editor", WINDOW_ROLES))
    properties = poll("the value page", lambda: find(editor, pyatspi.ROLE_TABLE,
                                                     "Value properties")).queryTable()
    focus("^Value Editor$")
    click(properties.getAccessibleAt(3, 1))  # Header: its cell editor opens at once
    time.sleep(0.3)
    xdotool("key", "--clearmodifiers", "ctrl+a", "BackSpace")
    # The user turns to the workspace, the cell editor still open: the value editor
    # deactivates and applies.
    focus("^Querion$")
    say("workspace focused")
    alert = poll("the refusal", lambda: find_any(app, BLANK_HEADER, {pyatspi.ROLE_LABEL}))
    box = alert.parent
    while box is not None and box.getRole() not in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG):
        box = box.parent
    click(find(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    poll("the message box closed", lambda: not showing(box))
    if not showing(editor):
        raise SystemExit("the value editor closed over a blank header")
    if table.getAccessibleAt(0, column).name != "Qty":
        raise SystemExit("the grid took the blank header")
    say("Value editor: blank header in the open cell editor refused on leaving it, "
          "window open")
    # Typed again, the header goes through and Hide closes the window.
    focus("^Value Editor$")
    click(properties.getAccessibleAt(3, 1))
    time.sleep(0.3)
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "Amount")
    click(properties.getAccessibleAt(8, 0), button="3")
    time.sleep(0.3)
    xdotool("key", "h")
    poll("the new header in the grid",
         lambda: table.getAccessibleAt(0, column).name == "Amount")
    poll("the value editor closed", lambda: not any(
        w is not None and w.name == "Value Editor" and showing(w) for w in app))
    say("Value editor: header typed and left open is applied on Hide")


def save_as(app, window, folder):
    focus("^Querion$")
    xdotool("key", "--clearmodifiers", "alt+f")
    time.sleep(0.3)
    xdotool("key", "a")
    poll("the Save As dialog", lambda: find_any(app, "Save As", WINDOW_ROLES))
    focus("^Save As$")
    time.sleep(0.3)
    xdotool("type", os.path.join(folder, "task3"))
    xdotool("key", "Return")
    written = os.path.join(folder, "task3.zel")
    caption = "Querion: " + written
    poll("the caption " + caption, lambda: window.name == caption)
    if not os.path.exists(written) or os.path.exists(os.path.join(folder, "task3")):
        raise SystemExit("files written: %s" % os.listdir(folder))
    say("Save As: typed task3, wrote task3.zel, caption names it")


def main():
    host = sys.argv[1]
    enable_accessibility()
    folder = tempfile.mkdtemp()
    config = os.path.join(folder, "config")
    os.mkdir(config)
    proc, app, window = start(host, config)
    try:
        default = extents(splitter(window))[1]
        moved = drag_splitter(window, 60)
        header_refused(app, window)
        save_as(app, window, folder)
    finally:
        stop(proc)
    proc, app, window = start(host, config)
    try:
        again = poll("the splitter placed", lambda: extents(splitter(window))[1])
        if abs(again - moved) > 2:
            raise SystemExit("the splitter opened at %d, left at %d (default %d)" %
                             (again, moved, default))
        say("Splitter: left at %d (default %d), opens there again" % (moved, default))
    finally:
        stop(proc)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
