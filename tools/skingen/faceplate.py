"""The 512 x 624 faceplate: dark brushed anodised aluminium, a raised bezel
round the displays, recessed glass windows, slider slots, wells for the push
buttons, a slot for the thumb wheel, dial scales, and engraved, paint-filled
labels, all placed from the editor's layout. Drawn in design pixels at any
whole-number density."""
import math

import numpy as np

import layout as lay
from engraving import CONDENSED_BOLD, SANS, SANS_BOLD, SANS_LIGHT, font, text_width
from relief import Plate
from shapes import plateau

PLATE = np.array([0.115, 0.118, 0.128])
RIM = np.array([0.20, 0.205, 0.215])
GLASS = np.array([0.010, 0.011, 0.014])
SLOT = np.array([0.025, 0.026, 0.030])
PAINT = np.array([0.84, 0.83, 0.80])
PAINT_DIM = np.array([0.52, 0.52, 0.52])
ACCENT = np.array([0.98, 0.62, 0.20])

LABEL_SIZE, SCALE_SIZE = 10, 8
DIAL_TICK_RADII = (27.5, 31.0)
DIAL_MAJOR_RADII = (27.0, 32.5)


def _label(plate, text, x, baseline, align="centre", colour=PAINT):
    """A control's name: bold capitals with open tracking."""
    plate.label(text, x, baseline, align, LABEL_SIZE, SANS_BOLD, colour, 1.2)


def _scale_text(plate, text, x, baseline, align="centre", colour=PAINT_DIM, tracking=0.4):
    """Small condensed figures and words of a scale."""
    plate.label(text, x, baseline, align, SCALE_SIZE, CONDENSED_BOLD, colour, tracking)


def _grow(rect, by):
    left, top, right, bottom = rect
    return left - by, top - by, right + by, bottom + by


def _plate_edges(plate):
    edge = plate.canvas.rounded_rect((0.0, 0.0, lay.WIDTH, lay.HEIGHT), 6.0)
    plate.height += plateau(edge, 2.0, 3.0)


def _display_bezel(plate):
    gain, width = lay.GAIN_PANEL.image_rect, lay.WIDTH_DISPLAY.image_rect
    outer = (gain[0] - 5.0, gain[1] - 5.0, width[2] + 5.0, width[3] + 5.0)
    plate.raise_area(plate.canvas.rounded_rect(outer, 7.0), 1.6, 2.5, RIM)
    for window in (gain, width):
        plate.recess(plate.canvas.rounded_rect(_grow(window, 0.5), 2.5), 3.0, 1.4, GLASS, glass=True)


def _equaliser(plate):
    box = lay.EQUALISER.image_rect
    plate.raise_area(plate.canvas.rounded_rect(_grow(box, 4.0), 6.0), 1.4, 2.5, RIM)
    plate.recess(plate.canvas.rounded_rect(box, 3.0), 3.0, 1.4, GLASS, glass=True)
    baseline = box[3] + 14.0
    for frequency, text in ((50, "50"), (100, "100"), (200, "200"), (500, "500"), (1000, "1k"),
                            (2000, "2k"), (5000, "5k"), (10000, "10k")):
        x = lay.eq_frequency_x(frequency)
        plate.stroke((x, box[3] + 4.5), (x, box[3] + 6.0), 1.0, PAINT_DIM)
        _scale_text(plate, text, x, baseline)


def _shape_curve_window(plate):
    box = _grow(lay.SHAPE_CURVE.image_rect, -0.5)
    plate.raise_area(plate.canvas.rounded_rect(box, 4.0), 1.2, 1.8, RIM)
    plate.recess(plate.canvas.rounded_rect(_grow(box, -2.0), 2.0), 2.5, 1.2, GLASS, glass=True)


def _wheel_slot(plate):
    _, top, _, bottom = lay.EQ_GAIN_WHEEL.image_rect
    cx = lay.EQ_GAIN_WHEEL.image_centre[0]
    slot = (cx - 13.5, top + 4.0, lay.WIDTH + 8.0, bottom - 4.0)
    plate.raise_area(plate.canvas.rounded_rect(_grow(slot, 3.0), 5.0), 1.2, 2.0, RIM)
    plate.recess(plate.canvas.rounded_rect(slot, 3.0), 4.0, 1.5, SLOT)
    _scale_text(plate, "EQ GAIN", lay.WIDTH - 6.0, lay.EQUALISER.image_rect[3] + 14.0, "right", PAINT, 0.8)


def _gain_slider(plate):
    (x, y0), (_, y1) = lay.slider_travel(lay.GAIN_SLIDER, vertical=True)
    plate.recess(plate.canvas.segment((x, y1 - 6.0), (x, y0 + 6.0), 2.6), 2.5, 1.2, SLOT)
    # Gain is 4 a^2, so a level of L dB sits at a = sqrt(10^(L/20) / 4).
    marks = [(math.sqrt(10.0 ** (db / 20.0) / 4.0), text) for db, text in
             ((12, "+12"), (6, "+6"), (0, "0"), (-6, "-6"), (-12, "-12"), (-24, "-24"))]
    for a, text in marks + [(0.0, None)]:
        y = y0 + (y1 - y0) * min(a, 1.0)
        major = text == "0"
        colour = PAINT if major else PAINT_DIM
        plate.stroke((x - (26.0 if major else 24.0), y), (x - 19.0, y), 1.0, colour)
        plate.stroke((x + 19.0, y), (x + (26.0 if major else 24.0), y), 1.0, colour)
        if text:
            _scale_text(plate, text, x - 28.0, y + 3.0, "right", colour, 0.2)
        else:       # silence; the infinity sign needs a larger face to stay legible
            plate.label("-\u221e", x - 28.0, y + 3.5, "right", SCALE_SIZE + 2, SANS, colour, 0.0)
    _label(plate, "GAIN", x, lay.GAIN_SLIDER.image_rect[3] + 15.0)


def _width_slider(plate):
    (x0, y), (x1, _) = lay.slider_travel(lay.WIDTH_SLIDER, vertical=False)
    plate.recess(plate.canvas.segment((x0 - 6.0, y), (x1 + 6.0, y), 2.6), 2.5, 1.2, SLOT)
    for step in range(9):
        x = x0 + (x1 - x0) * step / 8.0
        major = step % 4 == 0
        plate.stroke((x, y + 17.0), (x, y + (22.0 if major else 20.0)), 1.0, PAINT if major else PAINT_DIM)
    baseline = y + 32.0
    _scale_text(plate, "MONO", x0, baseline, "left", tracking=1.0)
    _scale_text(plate, "WIDE", x1, baseline, "right", tracking=1.0)
    _label(plate, "STEREO WIDTH", (x0 + x1) / 2.0, baseline)


def _dial_scale(plate, box, name):
    cx, cy = box.image_centre
    for step in range(11):
        # The dial turns from 135 degrees (value 0) to -135 (value 1) about the viewer's axis.
        turn = math.radians(135.0 - 27.0 * step)
        dx, dy = -math.sin(turn), -math.cos(turn)
        major = step in (0, 5, 10)
        inner, outer = DIAL_MAJOR_RADII if major else DIAL_TICK_RADII
        plate.stroke((cx + dx * inner, cy + dy * inner), (cx + dx * outer, cy + dy * outer),
                     1.4 if major else 1.0, PAINT if major else PAINT_DIM)
    plate.raise_area(plate.canvas.circle(cx, cy, 25.0), 0.8, 1.5)
    _label(plate, name, cx, cy + 32.0)


def _switch_well(plate, box):
    cx, cy = box.image_centre
    plate.recess(plate.canvas.circle(cx, cy, 12.0), 1.6, 1.5, PLATE * 0.55)


def _branding(plate):
    left, baseline = lay.GAIN_PANEL.image_rect[0], 43.0
    plate.label("VANTOR", left, baseline, "left", 24, SANS_BOLD, PAINT, 4.0)
    name_end = left + text_width("VANTOR", font(SANS_BOLD, 24), 4.0)
    plate.label("PRO", name_end + 14.0, baseline, "left", 24, SANS_LIGHT, ACCENT, 4.0)
    cx, cy = lay.GAIN_SLIDER.image_centre[0], 34.0
    ring = plate.canvas.circle(cx, cy, 15.0)
    plate.add_paint(np.clip(plate.canvas.cover(ring) - plate.canvas.cover(ring + 1.6), 0.0, 1.0), PAINT)
    plate.stroke((cx - 7.0, cy - 6.0), (cx, cy + 7.0), 2.4, ACCENT)
    plate.stroke((cx + 7.0, cy - 6.0), (cx, cy + 7.0), 2.4, ACCENT)
    _scale_text(plate, "BRACKWEL", 14.0, lay.EQUALISER.image_rect[3] + 14.0, "left", PAINT, 1.6)


def _switches(plate):
    _switch_well(plate, lay.ACTIVE_SWITCH)
    ax, ay = lay.ACTIVE_SWITCH.image_centre
    _label(plate, "ACTIVE", ax - 17.0, ay + 3.5, "right")
    _switch_well(plate, lay.INFO_SWITCH)
    ix, iy = lay.INFO_SWITCH.image_centre
    _label(plate, "INFO", ix, iy + 24.0)


def faceplate(scale=1):
    """The faceplate image with `scale` image pixels per design pixel."""
    plate = Plate(PLATE, scale)
    _plate_edges(plate)
    _display_bezel(plate)
    _equaliser(plate)
    _shape_curve_window(plate)
    _wheel_slot(plate)
    _gain_slider(plate)
    _width_slider(plate)
    _dial_scale(plate, lay.PUNCH_DIAL, "PUNCH")
    _dial_scale(plate, lay.SIZZLE_DIAL, "SIZZLE")
    _dial_scale(plate, lay.SHAPE_DIAL, "SHAPE")
    _switches(plate)
    _branding(plate)
    return plate.render()
