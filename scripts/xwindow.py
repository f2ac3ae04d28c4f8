#!/usr/bin/python3
"""Drives a top-level window on an X display, as a user at the keyboard would.

  xwindow.py TITLE [shot FILE.png] [keys KEY...] [wait SECONDS] [close] ...

Waits up to 60 seconds for a window with the title TITLE, then carries out
the steps in order: "shot" saves a PNG of the window's client area, "keys"
types X key names ("Tab", "space", "Return") into it, "wait" pauses, and
"close" asks it to close as a window manager's close button does. Exits 1 when
no such window appears. Needs python3-xlib; the PNG is written with zlib
alone."""
import struct
import sys
import time
import zlib

from Xlib import X, XK, display, protocol
from Xlib.ext import xtest


def find(screen, title, seconds=60):
    root = screen.screen().root
    deadline = time.time() + seconds
    while time.time() < deadline:
        for window in root.query_tree().children:
            try:
                if window.get_wm_name() == title and \
                        window.get_attributes().map_state == X.IsViewable:
                    return window
            except Exception:  # a window that went away meanwhile
                pass
        time.sleep(0.2)
    return None


def save_png(window, path):
    geometry = window.get_geometry()
    width, height = geometry.width, geometry.height
    raw = window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
    rows = b""
    for y in range(height):  # BGRX, 4 bytes a pixel, to RGB rows
        line = raw[y * width * 4:(y + 1) * width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
        rows += b"\0" + bytes(rgb)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def type_keys(screen, window, names):
    window.set_input_focus(X.RevertToParent, X.CurrentTime)
    screen.sync()
    for name in names:
        code = screen.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            sys.exit(f"xwindow.py: no key named {name}")
        xtest.fake_input(screen, X.KeyPress, code)
        xtest.fake_input(screen, X.KeyRelease, code)
        screen.sync()
        time.sleep(0.15)


def close(screen, window):
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    window.send_event(protocol.event.ClientMessage(
        window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    screen.flush()


def main(args):
    if not args:
        sys.exit(__doc__.splitlines()[2])
    screen = display.Display()
    title, steps = args[0], args[1:]
    window = find(screen, title)
    if window is None:
        sys.exit(f"xwindow.py: no window titled {title} appeared")
    while steps:
        step = steps.pop(0)
        if step == "shot":
            save_png(window, steps.pop(0))
        elif step == "keys":
            names = []
            while steps and steps[0] not in ("shot", "keys", "wait", "close"):
                names.append(steps.pop(0))
            type_keys(screen, window, names)
        elif step == "wait":
            time.sleep(float(steps.pop(0)))
        elif step == "close":
            close(screen, window)
        else:
            sys.exit(f"xwindow.py: unknown step {step}")


if __name__ == "__main__":
    main(sys.argv[1:])
