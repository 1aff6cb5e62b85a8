#!/usr/bin/python3
"""Presses keys on a virtual keyboard of mutter's own (its RemoteDesktop
service on the session bus), which mutter takes as a user's keyboard: its
shortcuts, Alt+F4 among them, see these keys, while keys sent to XWayland
through XTEST reach only the X clients.

    mutter_keys.py CHORD...     a chord is KEY[+KEY...], e.g. Alt_L+F4

Each chord's keys go down in order and come up in reverse order."""
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

KEYSYMS = {"Shift_L": 0xFFE1, "Alt_L": 0xFFE9, "Control_L": 0xFFE3, "F4": 0xFFC1,
           "Escape": 0xFF1B, "Return": 0xFF0D}
SERVICE = "org.gnome.Mutter.RemoteDesktop"
SESSION = SERVICE + ".Session"


def call(path, interface, method, args=None, reply=None):
    answer = BUS.call_sync(SERVICE, path, interface, method, args,
                           GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NONE, 10000, None)
    return answer.unpack() if answer else ()


def press(session, keysym, down):
    call(session, SESSION, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, down)))


if len(sys.argv) < 2 or any(k not in KEYSYMS for c in sys.argv[1:] for k in c.split("+")):
    sys.exit(__doc__ + "\nKeys known: " + " ".join(KEYSYMS))
BUS = Gio.bus_get_sync(Gio.BusType.SESSION, None)
(session,) = call("/org/gnome/Mutter/RemoteDesktop", SERVICE, "CreateSession", None, "(o)")
call(session, SESSION, "Start")
for chord in sys.argv[1:]:
    keys = [KEYSYMS[k] for k in chord.split("+")]
    for key in keys:
        press(session, key, True)
    for key in reversed(keys):
        press(session, key, False)
# The session's keyboard goes with the session: the keys are handled first.
time.sleep(0.3)
call(session, SESSION, "Stop")
