"""Drags with the pointer as a user does, through the X server's XTest extension.

xtest-drag.py X Y DX DY
    presses the left button at screen pixel X, Y, moves by DX, DY in four steps, releases,
    and takes the pointer to the screen's far corner, so nothing shows hover help after.
"""

import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p


def main(argv):
    if len(argv) != 5:
        print(__doc__)
        return 2
    x, y, dx, dy = map(int, argv[1:5])
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    if not display:
        print("FAIL: no X display")
        return 1

    def flush(pause):
        x11.XFlush(display)
        time.sleep(pause)

    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    flush(0.2)
    xtst.XTestFakeButtonEvent(display, 1, 1, 0)
    flush(0.2)
    for step in range(1, 5):
        xtst.XTestFakeMotionEvent(display, -1, x + dx * step // 4, y + dy * step // 4, 0)
        flush(0.2)
    xtst.XTestFakeButtonEvent(display, 1, 0, 0)
    flush(0.3)
    screen = x11.XDefaultScreen(display)
    xtst.XTestFakeMotionEvent(display, -1, x11.XDisplayWidth(display, screen) - 1,
                              x11.XDisplayHeight(display, screen) - 1, 0)
    flush(0.1)
    x11.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
