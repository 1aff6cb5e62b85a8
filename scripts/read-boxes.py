#!/usr/bin/python3
"""Reads, over AT-SPI as a screen reader does, every text box of the running
program named on the command line: its name, its text, the word and the line
at its end offset and the attribute run at offset 0. One line a box.

    scripts/read-boxes.py quillon
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def boxes(node):
    try:
        role = node.get_role()
    except Exception:
        return
    if role in (Atspi.Role.ENTRY, Atspi.Role.TEXT, Atspi.Role.PASSWORD_TEXT):
        yield node
    for i in range(node.get_child_count()):
        yield from boxes(node.get_child_at_index(i))


def program(name):
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app and app.get_name().lower() == name:
                return app
        time.sleep(0.1)
    return None


def main():
    app = program(sys.argv[1])
    if app is None:
        print("no program named", sys.argv[1], "on the accessibility bus")
        return 1
    shown = [box for box in boxes(app)
             if box.get_state_set().contains(Atspi.StateType.SHOWING)]
    # The texts first: a query below that never returns leaves them read.
    for box in shown:
        count = Atspi.Text.get_character_count(box)
        print(f"{box.get_name()!r}: text {Atspi.Text.get_text(box, 0, count)!r}", flush=True)
    for box in shown:
        count = Atspi.Text.get_character_count(box)
        started = time.monotonic()
        # The queries Orca makes for word and line navigation.
        word = Atspi.Text.get_text_at_offset(box, count, Atspi.TextBoundaryType.WORD_START)
        line = Atspi.Text.get_text_at_offset(box, count, Atspi.TextBoundaryType.LINE_START)
        run = Atspi.Text.get_attribute_run(box, 0, False)
        took = time.monotonic() - started
        print(f"{box.get_name()!r} at its end offset {count}: word {word.content!r}, "
              f"line {line.content!r}; attribute run at 0: {run[1]}..{run[2]} ({took:.2f} s)",
              flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
