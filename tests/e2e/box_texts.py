#!/usr/bin/python3
"""Prints, over AT-SPI as a screen reader reads them, the name and text of
every shown text box of the running program named on the command line, one
"name=text" line a box, in the order of the accessibility tree. Exits 2 when
no such program is on the accessibility bus.

    box_texts.py quillon
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

TEXT_ROLES = (Atspi.Role.ENTRY, Atspi.Role.TEXT, Atspi.Role.PASSWORD_TEXT)


def boxes(node):
    role = node.get_role()
    if role in TEXT_ROLES:
        yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from boxes(child)


def program(name):
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name().lower() == name:
                return app
        time.sleep(0.1)
    return None


def main():
    app = program(sys.argv[1])
    if app is None:
        print(f"no program named {sys.argv[1]} on the accessibility bus", file=sys.stderr)
        return 2
    for box in boxes(app):
        if box.get_state_set().contains(Atspi.StateType.SHOWING):
            count = Atspi.Text.get_character_count(box)
            print(f"{box.get_name()}={Atspi.Text.get_text(box, 0, count)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
