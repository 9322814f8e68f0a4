"""Where the editor places its controls, and how that maps onto the faceplate.

The editor's scene has one unit per pixel at depth 0, the origin at the
window centre and y upwards. Positions are given as in the editor's layout,
relative to the faceplate's bottom-left corner (L, B). The faceplate image
has its origin at the top-left and y downwards.
"""
from dataclasses import dataclass

WIDTH, HEIGHT = 512, 624
L, B = -(WIDTH + 1) / 2.0, -(HEIGHT + 1) / 2.0


@dataclass(frozen=True)
class Box:
    """A layout box: origin and size in scene units relative to (L, B)."""
    x: float
    y: float
    w: float
    h: float
    z: float = 0.0

    @property
    def scene_origin(self):
        return (L + self.x, B + self.y, self.z)

    @property
    def scene_centre(self):
        return (L + self.x + self.w / 2.0, B + self.y + self.h / 2.0)

    @property
    def image_rect(self):
        """(left, top, right, bottom) in faceplate pixels."""
        left, top = to_image(L + self.x, B + self.y + self.h)
        right, bottom = to_image(L + self.x + self.w, B + self.y)
        return left, top, right, bottom

    @property
    def image_centre(self):
        return to_image(*self.scene_centre)


def to_image(x, y):
    """Scene point at depth 0 to faceplate pixel coordinates (continuous)."""
    return x + WIDTH / 2.0, HEIGHT / 2.0 - y


GAIN_PANEL = Box(96, 241, 319.5, 319.5)
WIDTH_DISPLAY = Box(96, 214, 320, 16)
WIDTH_SLIDER = Box(96, 169, 320, 40)
GAIN_SLIDER = Box(33.5, 247.5, 32, 308)
EQUALISER = Box(8.5, 24.5, 478, 114)
SHAPE_CURVE = Box(438.5, 150, 58, 40)
SIZZLE_DIAL = Box(435.5, 320, 64, 64)
SHAPE_DIAL = Box(435.5, 192, 64, 64)
PUNCH_DIAL = Box(435.5, 448, 64, 64)
ACTIVE_SWITCH = Box(459, 576, 20, 20)
INFO_SWITCH = Box(39, 179, 20, 20)
EQ_GAIN_WHEEL = Box(493.5, 25, 24, 112, z=-32)

HANDLE_LENGTH = 25.0
# The equaliser draws its spectrum inset 8 pixels left and bottom, 6 right and top.
EQ_INSET_LEFT_BOTTOM, EQ_INSET_RIGHT_TOP = 8.0, 6.0


def slider_travel(box, vertical):
    """Image coordinates of the handle centre at value 0 and at value 1."""
    ox, oy, _ = box.scene_origin
    length = box.h if vertical else box.w
    lo, hi = HANDLE_LENGTH / 2.0, length - HANDLE_LENGTH / 2.0
    if vertical:
        cx = box.scene_centre[0]
        return to_image(cx, oy + lo), to_image(cx, oy + hi)
    cy = box.scene_centre[1]
    return to_image(ox + lo, cy), to_image(ox + hi, cy)


def eq_frequency_x(frequency):
    """Faceplate x of a frequency on the equaliser's fourth-power axis (40 Hz .. 20040 Hz)."""
    left, _, right, _ = EQUALISER.image_rect
    inner_left, inner_right = left + EQ_INSET_LEFT_BOTTOM, right - EQ_INSET_RIGHT_TOP
    position = max(0.0, (frequency - 40.0) / 20000.0) ** 0.25
    return inner_left + position * (inner_right - inner_left)
