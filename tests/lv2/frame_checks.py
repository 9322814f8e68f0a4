"""Checks on frames the editor captured (VANTOR_CAPTURE_FRAME), for jalv-ui.sh.

frame_checks.py drawn FRAME WIDTH HEIGHT
    the frame has that size and is no flat colour.
frame_checks.py differs FRAME OTHER LEFT TOP RIGHT BOTTOM
    the two frames differ inside the box (pixels, from the top-left corner).
frame_checks.py brighter FRAME OTHER LEFT TOP RIGHT BOTTOM
    OTHER is brighter than FRAME inside the box, by more than a level or two.
Exit status 0 when the check holds, 1 when it fails.
"""

import sys

import numpy
from PIL import Image


def load(path):
    return numpy.asarray(Image.open(path).convert("RGB")).astype(float)


def box(frame, args):
    left, top, right, bottom = map(int, args)
    return frame[top:bottom, left:right]


def main(argv):
    if len(argv) == 5 and argv[1] == "drawn":
        frame = load(argv[2])
        height, width = frame.shape[:2]
        flat = frame.std() < 1.0
        ok = (width, height) == (int(argv[3]), int(argv[4])) and not flat
        print("%s: a %dx%d frame%s" % ("ok" if ok else "FAIL", width, height, ", flat" if flat else ""))
        return ok
    if len(argv) == 8 and argv[1] in ("differs", "brighter"):
        before, after = box(load(argv[2]), argv[4:8]), box(load(argv[3]), argv[4:8])
        if argv[1] == "differs":
            change = numpy.abs(after - before).mean()
            ok = change > 1.0
            print("%s: the frames differ by %.2f on average in the box" % ("ok" if ok else "FAIL", change))
        else:
            change = after.mean() - before.mean()
            ok = change > 2.0
            print("%s: the box is %.2f levels brighter" % ("ok" if ok else "FAIL", change))
        return ok
    print(__doc__)
    return False


if __name__ == "__main__":
    sys.exit(0 if main(sys.argv) else 1)
