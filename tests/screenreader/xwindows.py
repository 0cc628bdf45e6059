# SPDX-License-Identifier: MIT
"""Real input for the window tests: keys, typing and mouse drags through xdotool, and the
close request a window manager's close button sends (there is no window manager under Xvfb)."""

import ctypes
import subprocess
import time


def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True)


def window_id(caption_pattern):
    """The first window whose caption matches the regular expression, or None."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", caption_pattern],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def key(window, *keys):
    """Presses the keys in turn; with a window, gives it the keyboard focus first."""
    if window:
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=True)
    for k in keys:
        subprocess.run(["xdotool", "key", "--clearmodifiers", k], check=True)
        time.sleep(0.15)


def press(*keys):
    """Keys to whatever has the focus, with a pause for the program to answer them."""
    key(None, *keys)
    time.sleep(0.2)


def pixels(x, y, width, height):
    """The screen's pixels in a rectangle, as raw RGB bytes."""
    return subprocess.run(["import", "-window", "root", "-crop",
                           "%dx%d+%d+%d" % (width, height, x, y), "+repage", "rgb:-"],
                          check=True, capture_output=True).stdout


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)


def click(x, y, count=1):
    subprocess.run(["xdotool", "mousemove", "--sync", str(x), str(y), "click", "--repeat",
                    str(count), "--delay", "80", "1"], check=True)
    time.sleep(0.2)


def drag(x1, y1, x2, y2, steps=10):
    """A drag as a hand makes it: press, move in steps 30 ms apart, release. (A move with
    --sync to where the pointer already is would wait for a motion that never comes.)"""
    subprocess.run(["xdotool", "mousemove", "--sync", str(x1), str(y1), "mousedown", "1"],
                   check=True)
    at = (x1, y1)
    for i in range(1, steps + 1):
        point = (x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
        if point != at:
            subprocess.run(["xdotool", "mousemove", "--sync", str(point[0]), str(point[1])],
                           check=True)
            at = point
        time.sleep(0.03)
    subprocess.run(["xdotool", "mouseup", "1"], check=True)
    time.sleep(0.2)


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def close_window(window):
    """Sends WM_DELETE_WINDOW, the request a title bar's close button makes."""
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_Event)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    event = _Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window)
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, int(window), 0, 0, ctypes.byref(event))
    x.XFlush(display)
    x.XCloseDisplay(display)
