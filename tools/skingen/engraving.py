"""Renders label text into coverage masks with hinted FreeType glyphs, so
small engraved labels stay crisp. Glyph positions are laid out and snapped
to whole design pixels with the face at its design size; a denser canvas
draws the glyphs from the face at its own scale on those same positions."""
import numpy as np
from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
SANS_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
SANS = FONT_DIR + "DejaVuSans.ttf"
SANS_LIGHT = FONT_DIR + "DejaVuSans-ExtraLight.ttf"
CONDENSED_BOLD = FONT_DIR + "DejaVuSansCondensed-Bold.ttf"

_fonts = {}


def font(path, size):
    key = (path, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(path, size)
    return _fonts[key]


def text_width(text, face, tracking=0.0):
    return sum(face.getlength(ch) for ch in text) + tracking * (len(text) - 1)


def text_mask(canvas, text, path, size, x, baseline, align="centre", tracking=0.0):
    """Coverage mask of `text` in the face at `path` and `size` (design pixels)
    whose baseline is at `baseline`; x is the left, centre or right end
    depending on `align`."""
    layout_face, drawing_face = font(path, size), font(path, size * canvas.scale)
    span = text_width(text, layout_face, tracking)
    start = {"left": x, "centre": x - span / 2.0, "right": x - span}[align]
    image = Image.new("L", (canvas.pixel_width, canvas.pixel_height), 0)
    draw = ImageDraw.Draw(image)
    pen = float(round(start))
    for ch in text:
        origin = (round(pen) * canvas.scale, round(baseline) * canvas.scale)
        draw.text(origin, ch, font=drawing_face, fill=255, anchor="ls")
        pen += layout_face.getlength(ch) + tracking
    return np.asarray(image, dtype=np.float64) / 255.0
