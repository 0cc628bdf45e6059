# SPDX-License-Identifier: MIT
"""Help opened from the modal workspace, used with real keys only: F1 in the workspace opens
the help window, Alt+C turns to the contents and Alt+Left goes back, Escape closes it; F1
again and a close request as a window manager sends it (WM_DELETE_WINDOW) close it too. Then
help open beside the workspace while the modal Add Table dialog opens: F1 there brings help
to that dialog, usable, and closed it leaves the dialog answering. The accessibility bus
tells each time that the help window is gone and that the window below still answers.
F1 in the Rename Table box opens the page on tables and joins.
Last, Help › About from the keyboard shows the about box. With ZEL_SCREENSHOTS set, pictures
of the help window over the workspace and of the about box are kept in that folder."""

import os
import subprocess
import sys
import time

import pyatspi

from workspace_a11y import application, enable_accessibility, poll
from xwindows import close_window as close_request, key as keys

WORKSPACE_PAGE = "Help - The query workspace"
CONTENTS_PAGE = "Help - Query Help Contents"
ADD_TABLE_PAGE = "Help - Add Table dialog"
TABLES_PAGE = "Help - Tables and joins"


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def help_window(app):
    """The help window on screen (a top-level of the program, a plain window the bus calls
    a filler), or None."""
    for window in app:
        if window is not None and window.name.startswith("Help - ") and showing(window):
            return window
    return None


def workspace_window(app):
    return pyatspi.findDescendant(
        app, lambda a: a is not None and a.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG)
        and a.name == "Querion")


def x_window(title_regex):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_regex],
                         capture_output=True, text=True).stdout.split()
    return out[-1] if out else None


def keep_picture(windows, name):
    """The part of the screen that holds the windows."""
    folder = os.environ.get("ZEL_SCREENSHOTS")
    if not folder:
        return
    boxes = [w.queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for w in windows]
    x = min(b[0] for b in boxes)
    y = min(b[1] for b in boxes)
    w = max(b[0] + b[2] for b in boxes) - x
    h = max(b[1] + b[3] for b in boxes) - y
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                    "+repage", os.path.join(folder, name + ".png")], check=True)


def about_box(app, workspace_id):
    keys(workspace_id, "alt+h", "a")
    box = poll("the about box", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_DIALOG
        and a.name == "About Pellox" and showing(a)))
    poll("the library's version in the about box", lambda: pyatspi.findDescendant(
        box, lambda a: a is not None and a.name.startswith("Pellox library ")))
    time.sleep(0.5)  # the first paint, for the picture
    keep_picture([workspace_window(app), box], "about-box-xvfb")
    ok = poll("the OK button", lambda: pyatspi.findDescendant(
        box, lambda a: a is not None and a.getRole() == pyatspi.ROLE_PUSH_BUTTON
        and a.name == "OK"))
    ok.queryAction().doAction(0)
    poll("the about box closed", lambda: not showing(box))


def open_help(app, window_id, title=WORKSPACE_PAGE):
    keys(window_id, "F1")
    poll("the help page " + title, lambda: help_window(app).name == title)
    return poll("the help's X window", lambda: x_window("^Help - "))


def add_table_dialog(app):
    return pyatspi.findDescendant(
        app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_DIALOG
        and a.name == "Add Table" and showing(a))


def help_from_add_table(app, workspace_id):
    """Help left open over the workspace, then the Add Table dialog opened from the menu."""
    open_help(app, workspace_id)
    keys(workspace_id, "alt+i", "t")
    dialog = poll("the Add Table dialog", lambda: add_table_dialog(app))
    dialog_id = poll("the Add Table dialog's X window", lambda: x_window("^Add Table$"))
    help_id = open_help(app, dialog_id, ADD_TABLE_PAGE)
    keys(help_id, "alt+c")
    poll("the contents after Alt+C from the Add Table dialog",
         lambda: help_window(app).name == CONTENTS_PAGE)
    keys(help_id, "Escape")
    poll("the help window gone", lambda: help_window(app) is None)
    close = poll("the dialog's Close button", lambda: pyatspi.findDescendant(
        dialog, lambda a: a is not None and a.getRole() == pyatspi.ROLE_PUSH_BUTTON
        and a.name == "Close"))
    close.queryAction().doAction(0)
    poll("the Add Table dialog closed", lambda: add_table_dialog(app) is None)


def help_from_rename(app, workspace_id):
    """Edit › Rename Table on a table window: F1 in its box opens the page on tables."""
    keys(workspace_id, "ctrl+Tab", "alt+e", "n")
    box = poll("the Rename Table box", lambda: pyatspi.findDescendant(
        app, lambda a: a is not None and a.getRole() == pyatspi.ROLE_DIALOG
        and a.name == "Rename Table" and showing(a)))
    box_id = poll("the Rename Table box's X window", lambda: x_window("^Rename Table$"))
    help_id = open_help(app, box_id, TABLES_PAGE)
    keys(help_id, "Escape")
    poll("the help window gone", lambda: help_window(app) is None)
    keys(box_id, "Escape")
    poll("the Rename Table box closed", lambda: not showing(box))


def workspace_answers(app):
    """The SQL tab pressed through the bus shows the statement."""
    window = workspace_window(app)
    tab = poll("the SQL tab", lambda: pyatspi.findDescendant(
        window, lambda a: a is not None and a.getRole() == pyatspi.ROLE_PAGE_TAB
        and a.name == "SQL"))
    action = tab.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("press") if "press" in names else 0)
    text = poll("the SQL text", lambda: pyatspi.findDescendant(
        window, lambda a: a is not None and a.getRole() == pyatspi.ROLE_TEXT
        and a.name == "SQL text"))
    poll("the statement on the SQL tab",
         lambda: text.queryText().getText(0, -1).lstrip().startswith("SELECT"))


def main():
    host = sys.argv[1]
    enable_accessibility()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([host], stdout=subprocess.DEVNULL, env=env)
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        poll("the workspace", lambda: workspace_window(app))
        workspace_id = poll("the workspace's X window", lambda: x_window("^Querion$"))

        help_id = open_help(app, workspace_id)
        keys(help_id, "alt+c")
        poll("the contents after Alt+C", lambda: help_window(app).name == CONTENTS_PAGE)
        keys(help_id, "alt+Left")
        poll("the page before after Alt+Left",
             lambda: help_window(app).name == WORKSPACE_PAGE)
        time.sleep(0.5)  # the first paint, for the picture
        keep_picture([workspace_window(app), help_window(app)], "workspace-help-xvfb")
        print("Help from the workspace: Alt+C and Alt+Left answered")
        keys(help_id, "Escape")
        poll("the help window gone after Escape", lambda: help_window(app) is None)
        print("Escape closed the help window")

        help_id = open_help(app, workspace_id)
        close_request(help_id)
        poll("the help window gone after the close request", lambda: help_window(app) is None)
        print("A close request closed the help window")

        help_from_add_table(app, workspace_id)
        print("Help from the Add Table dialog: Alt+C answered, Escape closed it")

        help_from_rename(app, workspace_id)
        print("F1 in the Rename Table box opened the page on tables")

        workspace_answers(app)
        print("The workspace still answers")

        about_box(app, workspace_id)
        print("Help › About showed the about box")
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()


if __name__ == "__main__":
    main()
