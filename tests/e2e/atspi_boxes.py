"""What the end-to-end scripts ask of a program over AT-SPI: the program on
the accessibility bus, and its text boxes."""
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

TEXT_ROLES = (Atspi.Role.ENTRY, Atspi.Role.TEXT, Atspi.Role.PASSWORD_TEXT)


def boxes(node):
    """Every text box at or below node, in the order of the tree."""
    if node.get_role() in TEXT_ROLES:
        yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from boxes(child)


def program(name):
    """The program of that name on the accessibility bus, waiting up to 10 s
    for it to come; None if it does not."""
    desktop = Atspi.get_desktop(0)
    for _ in range(100):
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name().lower() == name:
                return app
        time.sleep(0.1)
    return None
