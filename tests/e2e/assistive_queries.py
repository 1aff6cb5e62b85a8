#!/usr/bin/python3
"""Asks every shown text box of the running program named on the command
line, over AT-SPI as screen readers and magnifiers do, for its text, the
word and the line at its end, its attribute run, and the screen extents of
its text over the whole range of offsets a request can name. Each must be
answered (within 30 s, the longest it waits), and the extents must be those
of its characters, asked one by one. Exits 1 on a
failure, 2 when no such program is on the accessibility bus.

    assistive_queries.py quillon
"""
import sys
import time
import warnings

from atspi_boxes import Atspi, boxes, program
from gi.repository import GLib

# get_text_at_offset is what Orca asks; its successor is not answered by
# every toolkit.
warnings.filterwarnings("ignore", category=DeprecationWarning)

WIDEST = (-2**31, 2**31 - 1)


def extents(box, start, end, coords):
    rect = Atspi.Text.get_range_extents(box, start, end, coords)
    return (rect.x, rect.y, rect.width, rect.height)


def characters(box, count, coords):
    """The union of the characters' own extents, asked one by one."""
    left = top = right = bottom = None
    for offset in range(count):
        rect = Atspi.Text.get_character_extents(box, offset, coords)
        if rect.width <= 0 or rect.height <= 0:
            continue
        left = rect.x if left is None else min(left, rect.x)
        top = rect.y if top is None else min(top, rect.y)
        right = rect.x + rect.width if right is None else max(right, rect.x + rect.width)
        bottom = rect.y + rect.height if bottom is None else max(bottom, rect.y + rect.height)
    return (0, 0, 0, 0) if left is None else (left, top, right - left, bottom - top)


def check(box):
    name = box.get_name()
    count = Atspi.Text.get_character_count(box)
    text = Atspi.Text.get_text(box, 0, count)
    # The queries Orca makes for word and line navigation.
    word = Atspi.Text.get_text_at_offset(box, count, Atspi.TextBoundaryType.WORD_START).content
    line = Atspi.Text.get_text_at_offset(box, count, Atspi.TextBoundaryType.LINE_START).content
    run = Atspi.Text.get_attribute_run(box, 0, False)
    print(f"{name}: {text!r}, word {word!r}, line {line!r}, attributes {run[1]}..{run[2]}")
    failures = 0
    for coords in (Atspi.CoordType.SCREEN, Atspi.CoordType.WINDOW):
        own = characters(box, count, coords)
        started = time.monotonic()
        widest = extents(box, *WIDEST, coords)
        took = time.monotonic() - started
        print(f"  extents ({coords.value_nick}) of its characters {own}, over every offset"
              f" {widest}, answered in {took:.3f} s")
        if widest != own:
            print(f"FAIL: {name}: the extents over every offset are not its characters'")
            failures += 1
    return failures


def main():
    # A request that takes longer than this fails.
    Atspi.set_timeout(30000, 30000)
    app = program(sys.argv[1])
    if app is None:
        print(f"no program named {sys.argv[1]} on the accessibility bus", file=sys.stderr)
        return 2
    shown = [box for box in boxes(app)
             if box.get_state_set().contains(Atspi.StateType.SHOWING)]
    if not shown:
        print("FAIL: no box shown")
        return 1
    failures = 0
    for number, box in enumerate(shown, 1):
        try:
            failures += check(box)
        except GLib.Error as error:
            # A program that did not answer in time may still be busy.
            print(f"FAIL: box {number} of {len(shown)}: {error.message}")
            return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
