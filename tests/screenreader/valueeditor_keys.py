# SPDX-License-Identifier: MIT
"""The value editor with real keys and mouse, read as a screen reader hears it: Down through the
property list tells each property by its name and value; the row title under an open list box
is drawn once; Alt+F, Alt+V and Alt+E turn its pages wherever the focus is, and F1 opens help on
the page shown, not the workspace's menus and help; an expression typed on the Expression page
changes the value it belongs to. Last, the workspace's toolbar at a narrow and a wide window:
Help at the right end, the commands that do not fit in an overflow menu. With ZEL_SCREENSHOTS
set, pictures of the window with the Sort list open and of the toolbar are kept there."""

import os
import subprocess
import sys
import tempfile

import pyatspi
from gi.repository import GLib

from valuesgrid_titles import crop
from workspace_a11y import (application, enable_accessibility, extents, find, focused, label,
                            poll, read_sql, running, showing, top)
from xwindows import click, key, press, typed, window_id

HEARD = ["Distinct, False", "Value", "Header, Company", "Table, Customers", "Field, Company",
         "Type, String", "Display", "Show, Show", "Sort, Ascending", "Format, ", "Width, 30",
         "Alignment, Left"]
PAGES = [("Value", pyatspi.ROLE_TABLE, "Value properties"),
         ("Filter", pyatspi.ROLE_TABLE, "Filter"), ("Expression", pyatspi.ROLE_TEXT, "Expression")]
SORT_ROW = 9


def told(node):
    """What a screen reader says of a focused object: its name and its value."""
    role = node.getRole()
    if role == pyatspi.ROLE_TABLE:
        return None  # the grid itself, passed through between rows, says nothing of a row
    if role == pyatspi.ROLE_TEXT:
        return "%s, %s" % (node.name, node.queryText().getText(0, -1))
    if role == pyatspi.ROLE_MENU_ITEM:
        return "menu item " + node.name
    if role == pyatspi.ROLE_COMBO_BOX:  # named by its label, its text is its value
        return "%s, %s" % (label(node), node.name)
    return node.name


class Focus:
    """What is told of each object that takes the focus, in turn."""

    def __init__(self):
        self.said = []
        self.combo = None  # the last combo box focused
        pyatspi.Registry.registerEventListener(self._focused, "object:state-changed:focused")

    def _focused(self, event):
        try:
            text = told(event.source) if event.detail1 and event.source is not None else None
            if text is not None and event.source.getRole() == pyatspi.ROLE_COMBO_BOX:
                self.combo = event.source
        except GLib.GError:
            text = None  # an object gone before its event was read
        if text is not None and (not self.said or self.said[-1] != text):
            self.said.append(text)

    def mark(self):
        for _ in range(200):
            GLib.MainContext.default().iteration(False)
        return len(self.said)

    def since(self, mark):
        self.mark()
        return self.said[mark:]


def page_shown(editor):
    """The page whose control is on the screen."""
    for page, role, name in PAGES:
        if showing(find(editor, role, name)):
            return page
    return None


def open_editor(app, window, column):
    """F6 to the values grid, the column by Home and Right, F2: the focus is in the value
    editor's header list then, where the workspace's own keys used to win."""
    key(window_id("^Querion$"))
    grid = find(window, pyatspi.ROLE_TABLE, "Values")
    for _ in range(4):
        if focused(grid):
            break
        press("F6")
    poll("F6 to the values grid", lambda: focused(grid))
    press("Home", *["Right"] * (column - 1), "F2")
    return poll("F2 opens the value editor", lambda: top(app, "Value Editor"))


def properties_told(editor, focus):
    properties = find(editor, pyatspi.ROLE_TABLE, "Value properties")
    for _ in range(6):
        if focused(properties):
            break
        press("Tab")
    poll("Tab to the value properties", lambda: focused(properties))
    press(*["Up"] * 12)
    mark = focus.mark()
    for _ in range(12):
        press("Down")
        focus.mark()  # read while the objects are there
    heard = focus.since(mark)
    if heard != HEARD:
        raise SystemExit("Down through the properties told %s,\nexpected %s" % (heard, HEARD))
    print("Properties told by name and value: %s" % "; ".join(heard))
    return properties.queryTable()


def title_drawn_once(editor, table, focus):
    """The Sort row's title before and while its list box lies over the rows below it."""
    title = extents(table.getAccessibleAt(SORT_ROW, 0))
    x, y, w, h = extents(table.getAccessibleAt(SORT_ROW, 1))
    below = (x, y + h, w, 2 * h)  # where the list opens
    with tempfile.TemporaryDirectory() as folder:
        shot = lambda box, name: crop(box, os.path.join(folder, name))
        before, rows = shot(title, "title"), shot(below, "rows")
        click(x + w // 2, y + h // 2)
        click(x + w // 2, y + h // 2)
        combo = poll("the Sort list open",
                     lambda: focus.mark() and expanded(focus.combo) and focus.combo)
        poll("the list drawn", lambda: shot(below, "list") != rows)
        keep_picture(editor, "valueeditor-sort-list")
        while_open = shot(title, "open")
    press("Escape")
    poll("the Sort list closed", lambda: not expanded(combo))
    if while_open != before:
        raise SystemExit("the Sort title is drawn again while its list box is open")
    print("The Sort title is drawn once while its list box is open")


def keep_picture(window, name):
    folder = os.environ.get("ZEL_SCREENSHOTS")
    if folder:
        x, y, w, h = extents(window)
        subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y),
                        "+repage", os.path.join(folder, name + ".png")], check=True)


def expanded(node):
    return node is not None and node.getState().contains(pyatspi.STATE_EXPANDED)


def help_window(app):
    for w in app:
        if w is not None and w.name.startswith("Help - ") and showing(w):
            return w
    return None


def pages_and_help(app, window, focus):
    """From the header list, where the focus is after F2: each Alt letter turns the page and
    no menu opens; F1 opens help on the page shown."""
    editor = open_editor(app, window, 1)
    mark = focus.mark()
    for letter, page in (("f", "Filter"), ("e", "Expression"), ("v", "Value"), ("f", "Filter")):
        key(window_id("^Value Editor$"), "alt+" + letter)
        poll("Alt+%s to the %s page" % (letter.upper(), page), lambda p=page: page_shown(editor) == p)
        menus = [t for t in focus.since(mark) if t.startswith("menu item")]
        if menus:
            raise SystemExit("Alt+%s opened the workspace's menu: %s" % (letter.upper(), menus))
        if page == "Value":
            help_on(app, "Value")
    help_on(app, "Filter")
    print("Alt+F, Alt+E, Alt+V turned the pages; F1 opened help on the Value and Filter pages")
    key(window_id("^Value Editor$"), "Escape")
    poll("Escape closed the value editor", lambda: not top(app, "Value Editor"))


def help_on(app, page):
    key(window_id("^Value Editor$"), "F1")
    title = "Help - Value Editor: %s page" % page
    shown = poll("a help page", lambda: help_window(app))
    poll("the help page " + title, lambda: help_window(app).name == title, limit=5)
    key(window_id("^Help - "), "Escape")
    poll("the help window closed", lambda: not showing(shown))


def expression_edits_its_value(app, window):
    """The Expression page shows Qty as Items.Qty; " * 2" typed after it makes that value an
    expression: still seven columns, and the SQL selects it once."""
    grid = find(window, pyatspi.ROLE_TABLE, "Values").queryTable()
    headers = [grid.getAccessibleAt(0, c).name for c in range(1, 9)]
    column = headers.index("Qty") + 1
    editor = open_editor(app, window, column)
    key(window_id("^Value Editor$"), "alt+e")
    memo = poll("the expression box focused",
                lambda: focused(find(editor, pyatspi.ROLE_TEXT, "Expression")))
    shown = memo.queryText().getText(0, -1)
    if shown != "Items.Qty":
        raise SystemExit("the Expression page shows %r for Qty" % shown)
    press("End")
    typed(" * 2")
    press("Escape")
    poll("Escape closed the value editor", lambda: not top(app, "Value Editor"))
    after = [grid.getAccessibleAt(0, c).name for c in range(1, 9)]
    cells = [grid.getAccessibleAt(r, column).name for r in (0, 1, 2)]
    if after != headers or cells != ["Qty", "", "Items.Qty * 2"]:
        raise SystemExit("after the edit the headers read %s, the Qty column %s" % (after, cells))
    key(window_id("^Querion$"), "alt+s")
    text = poll("the SQL text", lambda: find(window, pyatspi.ROLE_TEXT, "SQL text"))
    sql = poll("the statement", lambda: read_sql(text))
    lines = [line.strip() for line in sql.splitlines() if "qty" in line.lower()]
    if lines != ["Items.QTY * 2 AS Items.Qty,"]:
        raise SystemExit("the SQL selects Qty as %s" % lines)
    print("Expression page: Items.Qty shown, Items.Qty * 2 replaced it; 7 columns, SQL %s" %
          lines[0])
    return column


def toolbar_fits(window, focus, column):
    """The workspace made narrow, then wide: Help stays at the right end; narrow, Undo is in
    the menu of the overflow button beside it and undoes the expression edited last."""
    wid = window_id("^Querion$")
    key(wid, "alt+q")
    poll("the Query tab", lambda: showing(find(window, pyatspi.ROLE_TABLE, "Values")))
    for width in (420, 1200):
        subprocess.run(["xdotool", "windowmove", "--sync", wid, "20", "100", "windowsize", "--sync",
                        wid, str(width), "500"], check=True)
        poll("the window %d wide" % width, lambda w=width: extents(window)[2] == w)
        help_button = find(window, pyatspi.ROLE_PUSH_BUTTON, "Display Help")
        bar = help_button.parent
        poll("Help at the right end", lambda: sum(extents(help_button)[0:3:2]) ==
             sum(extents(bar)[0:3:2]) - 2)
        keep_picture(bar, "workspace-toolbar-%d" % width)
        more = pyatspi.findDescendant(window, lambda a: a is not None and
                                      a.name == "More commands")
        if bool(showing(more)) != (width == 420):
            raise SystemExit("at %d the overflow button is %s" %
                             (width, "shown" if showing(more) else "missing"))
        if width == 420:
            undo_from_overflow(window, focus, more, column)
    print("Toolbar: Help at the right end at 420 and 1200; Undo from the overflow menu")


def undo_from_overflow(window, focus, more, column):
    mark = focus.mark()
    x, y, w, h = extents(more)
    click(x + w // 2, y + h // 2)
    press("Down")
    poll("Undo in the overflow menu", lambda: "menu item Undo" in focus.since(mark))
    press("Return")
    grid = find(window, pyatspi.ROLE_TABLE, "Values").queryTable()
    poll("the expression undone", lambda: [grid.getAccessibleAt(r, column).name
                                           for r in (1, 2)] == ["Items", "Qty"])


def main():
    host = sys.argv[1]
    enable_accessibility()
    with running(host):
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        window = poll("the workspace", lambda: top(app, "Querion"))
        focus = Focus()
        editor = open_editor(app, window, 1)
        table = properties_told(editor, focus)
        title_drawn_once(editor, table, focus)
        key(window_id("^Value Editor$"), "Escape")
        poll("Escape closed the value editor", lambda: not top(app, "Value Editor"))
        pages_and_help(app, window, focus)
        column = expression_edits_its_value(app, window)
        toolbar_fits(window, focus, column)


if __name__ == "__main__":
    main()
