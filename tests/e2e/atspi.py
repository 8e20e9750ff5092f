#!/usr/bin/python3
"""Reads a program's push buttons over the accessibility bus, as a screen reader does.

  atspi.py APP buttons      the names of the push buttons that show, one a line
  atspi.py APP where NAME   the screen position of the centre of the showing button NAME
"""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def application(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            return app
    return None


def showing_buttons(node, depth=0):
    if node is None or depth > 12:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        if (child.get_role() == Atspi.Role.PUSH_BUTTON
                and child.get_state_set().contains(Atspi.StateType.SHOWING)):
            yield child
        yield from showing_buttons(child, depth + 1)


def main():
    app = application(sys.argv[1])
    if app is None:
        return 1
    if sys.argv[2] == "buttons":
        for button in showing_buttons(app):
            print(button.get_name())
        return 0
    for button in showing_buttons(app):
        if button.get_name() == sys.argv[3]:
            box = button.get_extents(Atspi.CoordType.SCREEN)
            print(box.x + box.width // 2, box.y + box.height // 2)
            return 0
    return 1


sys.exit(main())
