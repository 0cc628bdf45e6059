# SPDX-License-Identifier: MIT
"""The data model window as a user meets it, with a real mouse and keys in a real X server.
Read-only: the field names are drawn in readable colours (contrast of at least 4.5:1 on the
screen's pixels), the mouse wheel scrolls the tables, and dragging a field onto another table
or pressing Delete in a table changes nothing; Escape closes the window without a question.
Editable: dragging a date onto a text field asks first, naming both fields and types; No
makes no join, Yes makes it."""

import os
import subprocess
import sys
import time

import pyatspi

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from workspace_a11y import (application, centre, enable_accessibility, extents, find, host_env,  # noqa
                            poll, stop)
from xwindows import drag, xdotool


def screen():
    """The whole screen as (width, height, rgb bytes)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                          capture_output=True).stdout
    fields = []
    pos = 0
    while len(fields) < 4:  # P6, width, height, maximum, separated by white space
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def luminance(rgb):
    def channel(v):
        x = v / 255.0
        return x / 12.92 if x <= 0.03928 else ((x + 0.055) / 1.055) ** 2.4
    r, g, b = rgb
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b)


def row_contrast(shot, extents):
    """Darkest pixel of a field row's left half against the pixel at its right end."""
    width, _, pixels = shot
    x, y, w, h = extents

    def at(px, py):
        i = (py * width + px) * 3
        return pixels[i], pixels[i + 1], pixels[i + 2]

    background = luminance(at(x + w - 2, y + h // 2))
    text = min(luminance(at(px, py)) for py in range(y, y + h) for px in range(x, x + w // 2))
    light, dark = max(text, background), min(text, background)
    return (light + 0.05) / (dark + 0.05)


def item(fields, name):
    return poll("the row " + name, lambda: pyatspi.findDescendant(
        fields, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LIST_ITEM
        and a.name == name))


def window_of(app, title):
    return poll("the window " + title, lambda: find(app, pyatspi.ROLE_DIALOG, title)
                or find(app, pyatspi.ROLE_FRAME, title))


def alert_of(app):
    return poll("a message box", lambda: next(
        (a for a in app if a is not None and a.getRole() == pyatspi.ROLE_ALERT), None))


def answer(app, button):
    """The text of the message box now open, which is then answered with the button."""
    box = alert_of(app)
    labels = pyatspi.findAllDescendants(
        box, lambda a: a is not None and a.getRole() == pyatspi.ROLE_LABEL and a.name)
    text = "\n".join(label.name for label in labels)
    find(box, pyatspi.ROLE_PUSH_BUTTON, button).queryAction().doAction(0)
    poll("the message box to close", lambda: not any(
        a is not None and a.getRole() == pyatspi.ROLE_ALERT for a in app), 10)
    return text


def incompatible_join(host):
    proc = subprocess.Popen([host, "model"], stdout=subprocess.PIPE, text=True, env=host_env())
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        answer(app, "OK")  # the warning that changes are lost
        window = window_of(app, "Data Model")
        orders = poll("the Orders fields", lambda: find(window, pyatspi.ROLE_LIST, "Orders fields"))
        customers = find(window, pyatspi.ROLE_LIST, "Customers fields")
        surface = pyatspi.findDescendant(
            window, lambda a: a is not None and a.name == "Tables and join lines")
        lines = surface.description
        for reply in ("No", "Yes"):
            drag(*centre(item(orders, "ShipDate")), *centre(item(customers, "Zip")))
            question = answer(app, reply)
            for part in ("Orders.ShipDate", "(Date)", "Customers.Zip", "(String)"):
                if part not in question:
                    raise SystemExit("the question does not name %s: %s" % (part, question))
            joined = "Customers.Zip = Orders.ShipDate" in surface.description
            if joined != (reply == "Yes") or (reply == "No" and surface.description != lines):
                raise SystemExit("after %s the lines are:\n%s" % (reply, surface.description))
            print("date dropped on text, answered %s: %s" % (
                reply, "joined" if joined else "no join"))
        xdotool("key", "--clearmodifiers", "Escape")
        answer(app, "No")  # do not keep the changes
        closed = poll("the window to close", lambda: proc.stdout.readline().strip(), 15)
        if closed != "--- CLOSED unchanged":
            raise SystemExit("the host says: " + closed)
    finally:
        stop(proc)


def main():
    host = sys.argv[1]
    enable_accessibility()
    incompatible_join(host)
    proc = subprocess.Popen([host, "model-readonly"], stdout=subprocess.PIPE, text=True, env=host_env())
    try:
        app = poll("the host on the bus", lambda: application(os.path.basename(host)))
        title = "Data Model (Read-Only)"
        window = poll("the read-only window", lambda: find(app, pyatspi.ROLE_DIALOG, title)
                      or find(app, pyatspi.ROLE_FRAME, title))
        customers = poll("the Customers fields",
                         lambda: find(window, pyatspi.ROLE_LIST, "Customers fields"))
        vendors = find(window, pyatspi.ROLE_LIST, "Vendors fields")
        surface = find(window, pyatspi.ROLE_UNKNOWN, "Tables and join lines") or \
            pyatspi.findDescendant(window, lambda a: a is not None and
                                   a.name == "Tables and join lines")
        lines = surface.description
        city = item(customers, "City")
        time.sleep(0.5)  # let the first paint finish before reading pixels

        shot = screen()
        for name in ("CustNo", "Company", "City"):
            contrast = row_contrast(shot, extents(item(customers, name)))
            print("%s row: contrast %.2f:1" % (name, contrast))
            if contrast < 4.5:
                raise SystemExit("the %s row is hard to read: %.2f:1" % (name, contrast))

        bars = pyatspi.findAllDescendants(
            window, lambda a: a is not None and a.getRole() == pyatspi.ROLE_SCROLL_BAR)
        vertical = [b for b in bars if extents(b)[3] > extents(b)[2]]  # taller than wide
        if not vertical or not all(b.getState().contains(pyatspi.STATE_ENABLED) for b in bars):
            raise SystemExit("the scroll bars are missing or disabled")
        bar = vertical[0].queryValue()
        x, y, w, h = extents(window)  # the surface is larger than the window: aim inside
        xdotool("mousemove", "--sync", x + w - 60, y + h - 60)
        for _ in range(3):
            xdotool("click", 5)
        poll("the wheel to scroll", lambda: bar.currentValue > 0, 10)
        print("wheel scrolled the tables to %d" % bar.currentValue)
        for _ in range(6):
            xdotool("click", 4)
        poll("the wheel to scroll back", lambda: bar.currentValue == 0, 10)

        # Editing is refused: a field dragged onto another table joins nothing, and Delete
        # in a table asks nothing and removes nothing.
        drag(*centre(city), *centre(item(vendors, "City")))
        xdotool("mousemove", "--sync", *centre(item(customers, "Zip")))
        xdotool("click", 1)
        xdotool("key", "--clearmodifiers", "Delete")
        time.sleep(1.0)  # an answer that must not come: give it time to show
        if any(a is not None and a.getRole() == pyatspi.ROLE_ALERT for a in app):
            raise SystemExit("a question appeared in the read-only window")
        if surface.description != lines:
            raise SystemExit("the joins changed:\n%s" % surface.description)
        if not find(window, pyatspi.ROLE_LIST, "Customers fields"):
            raise SystemExit("the Customers table was removed")
        print("drag and Delete changed nothing")

        xdotool("key", "--clearmodifiers", "Escape")
        closed = poll("the window to close", lambda: proc.stdout.readline().strip(), 15)
        if closed != "--- CLOSED unchanged":
            raise SystemExit("the host says: " + closed)
        print("closed without a question, model unchanged")
    finally:
        stop(proc)


if __name__ == "__main__":
    main()
