"""Slider handle and tracks, laid along x (the vertical slider turns them)."""
from mesh_builder import Material, Mesh, add_prism, rounded_rect

BLACK = Material("slider_black", (0.08, 0.08, 0.086), shininess=30, strength=0.4)
ALU = Material("slider_alu", (0.72, 0.73, 0.75), shininess=50, strength=0.9)
LINE = Material("slider_line_notlit", (0.55, 0.29, 0.07))
SLOT = Material("slider_slot", (0.02, 0.02, 0.024))


def handle():
    """Fader cap, 25 units along the track and 30 across, with a line across the top."""
    body = Mesh("cap_body", BLACK.name)
    body.add_strip([rounded_rect(12.5, 15.0, 3.0, 0.0), rounded_rect(12.5, 15.0, 3.0, 8.4)])
    top = Mesh("cap_top", ALU.name)
    top.add_strip([rounded_rect(12.5, 15.0, 3.0, 8.4), rounded_rect(11.2, 13.7, 2.2, 10.0)])
    top.add_strip([rounded_rect(11.2, 13.7, 2.2, 10.0), rounded_rect(6.0, 8.5, 1.0, 9.7)])
    top.add_fan((0.0, 0.0, 9.6), rounded_rect(6.0, 8.5, 1.0, 9.7))
    line = Mesh("cap_line", LINE.name)
    add_prism(line, [(-0.9, -13.2), (0.9, -13.2), (0.9, 13.2), (-0.9, 13.2)], 9.5, 10.25)
    return [BLACK, ALU, LINE], [body, top, line]


def _track(length):
    """Raised rim round a dark slot, `length` units along x."""
    half = length * 0.5
    rim = Mesh("track_rim", BLACK.name)
    outer_low, outer_top = rounded_rect(half, 5.0, 4.0, 0.0), rounded_rect(half, 5.0, 4.0, 2.4)
    inner_top, inner_low = rounded_rect(half - 3.0, 2.0, 2.0, 2.4), rounded_rect(half - 3.0, 2.0, 2.0, 0.4)
    rim.add_strip([outer_low, outer_top])
    rim.add_strip([outer_top, inner_top])
    rim.add_strip([inner_top, inner_low])
    slot = Mesh("track_slot", SLOT.name)
    slot.add_fan((0.0, 0.0, 0.4), inner_low)
    return [BLACK, SLOT], [rim, slot]


def slider_small():
    return _track(160.0)


def slider_medium():
    return _track(308.0)
