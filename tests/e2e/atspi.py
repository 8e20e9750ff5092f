#!/usr/bin/python3
# Reads what a program shows over the accessibility bus, as a screen reader does.
#
#   atspi.py APP buttons      the names of the push buttons that show, one a line
#   atspi.py APP texts        the texts of the labels and list lines that show, one a line
#   atspi.py APP where NAME   the screen position of the centre of the showing button NAME
#   atspi.py APP line NAME    the same for the showing list line NAME
#   atspi.py close WINDOW     asks the X window to close, as a window manager's close button does
import ctypes
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

ROLES = {
    "buttons": (Atspi.Role.PUSH_BUTTON,),
    "where": (Atspi.Role.PUSH_BUTTON,),
    "line": (Atspi.Role.LIST_ITEM,),
    "texts": (Atspi.Role.LABEL, Atspi.Role.LIST_ITEM),
}


def application(name):
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return next((app for app in apps if app is not None and app.get_name() == name), None)


def showing(node, roles, depth=0):
    if node is None or depth > 12:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        if (child.get_role() in roles
                and child.get_state_set().contains(Atspi.StateType.SHOWING)):
            yield child
        yield from showing(child, roles, depth + 1)


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 24)]


def close(window):
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = x.XInternAtom.restype = ctypes.c_void_p  # Display*, and Atom
    display = ctypes.c_void_p(x.XOpenDisplay(None))
    if not display:
        return 1
    event = ClientMessage(type=33, window=window, format=32,  # 33: ClientMessage
                          message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
    event.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, ctypes.c_ulong(window), 0, ctypes.c_long(0), ctypes.byref(event))
    x.XCloseDisplay(display)  # flushes the event
    return 0


def main():
    if sys.argv[1] == "close":
        return close(int(sys.argv[2]))
    app = application(sys.argv[1])
    if app is None:
        return 1
    found = showing(app, ROLES[sys.argv[2]])
    if len(sys.argv) == 3:
        for node in found:
            print(node.get_name().replace("\n", " "))
        return 0
    for node in found:
        if node.get_name() == sys.argv[3]:
            box = node.get_extents(Atspi.CoordType.SCREEN)
            # The view switch's frames take turns showing: one hidden between the reading of
            # its state and of its extents has an empty box at 0,0.
            if box.width > 0 and box.height > 0:
                print(box.x + box.width // 2, box.y + box.height // 2)
                return 0
    return 1


sys.exit(main())
