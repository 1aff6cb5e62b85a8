#!/usr/bin/python3
"""Prints, over AT-SPI as a screen reader reads them, the name and text of
every shown text box of the running program named on the command line, one
"name=text" line a box, in the order of the accessibility tree. Exits 2 when
no such program is on the accessibility bus.

    box_texts.py quillon
"""
import sys

from atspi_boxes import Atspi, boxes, program


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
