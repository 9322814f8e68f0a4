"""The skin generator draws the faceplate around the editor's controls; its boxes must be
the editor's own. Compares tools/skingen/layout.py with the editor's layout table.

usage: check_layout_table.py <layout-dump program> <skingen folder>
"""
import subprocess
import sys

BOXES = {
    "stereo gain panel": "GAIN_PANEL",
    "Sizzle": "SIZZLE_DIAL",
    "Shape": "SHAPE_DIAL",
    "Gain": "GAIN_SLIDER",
    "Stereo Width": "WIDTH_SLIDER",
    "width display": "WIDTH_DISPLAY",
    "equaliser": "EQUALISER",
    "Active switch": "ACTIVE_SWITCH",
    "Info switch": "INFO_SWITCH",
    "Punch": "PUNCH_DIAL",
    "EQ gain": "EQ_GAIN_WHEEL",
    "shape curve": "SHAPE_CURVE",
}


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    sys.path.insert(0, argv[2])
    import layout
    rows = {}
    for line in subprocess.run([argv[1]], check=True, capture_output=True, text=True).stdout.splitlines():
        name, *numbers = line.split("|")
        rows[name] = [float(n) for n in numbers]
    failures = []
    for name, constant in BOXES.items():
        box = getattr(layout, constant)
        expected = rows.get(name)
        if expected is None:
            failures.append(f"the editor has no control {name!r}")
            continue
        x, y, w, h, z = expected
        # The skin's wheel box carries its depth; the displays' lift above the panel is the
        # editor's own business.
        skin = (box.x, box.y, box.w, box.h, box.z if constant == "EQ_GAIN_WHEEL" else z)
        if skin != (x, y, w, h, z):
            failures.append(f"{constant} is {skin[:4]} in the skin, {name!r} is {(x, y, w, h)} in the editor")
    if rows["handle length"][0] != layout.HANDLE_LENGTH:
        failures.append(f"handle length {layout.HANDLE_LENGTH} in the skin, {rows['handle length'][0]} in the editor")
    for failure in failures:
        print(failure)
    print("layout table and skin generator agree" if not failures else f"{len(failures)} differences")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
