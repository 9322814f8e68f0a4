"""Bakes a TrueType face into a BMFont text description (.fnt) and its
single page image (white glyphs, coverage in alpha), for the printable ASCII
characters. Every line uses the exact field order and single spaces that
the editor's font reader scans for.

A font baked at `scale` 2 is the design-size font at double density: every
metric (line height, base, glyph boxes and advances) is exactly twice the
design one and the page is twice as large, while the glyphs are drawn from
the face at twice the size. Each is cut to its doubled design box, so it
covers the same area as the design glyph; where the larger face's hinting
puts a row or column of ink beyond that box, that ink is cut off."""
import numpy as np
from PIL import Image, ImageDraw, ImageFont

from png_writer import write_png

FIRST_CHAR, LAST_CHAR = 32, 126
PADDING = 2                      # empty texels round each glyph so filtering never bleeds


def _glyph_boxes(face):
    """Per character: (left, top, right, bottom) of its ink relative to the pen on the baseline."""
    boxes = {}
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        left, top, right, bottom = face.getbbox(chr(code), anchor="ls")
        if right <= left or bottom <= top:       # blank glyph: one transparent texel
            left, top, right, bottom = 0, -1, 1, 0
        boxes[code] = (left, top, right, bottom)
    return boxes


def _pack(boxes, page_width, padding):
    """Shelf packing, tallest glyphs first; returns positions and the page height.
    Scaling every box, the width and the padding by 2 doubles the whole layout."""
    order = sorted(boxes, key=lambda c: (-(boxes[c][3] - boxes[c][1]), c))
    x = y = padding
    shelf = 0
    positions = {}
    for code in order:
        w, h = boxes[code][2] - boxes[code][0], boxes[code][3] - boxes[code][1]
        if x + w + padding > page_width:
            x, y, shelf = padding, y + shelf + padding, 0
        positions[code] = (x, y)
        x += w + padding
        shelf = max(shelf, h)
    height = 1
    while height < y + shelf + padding:
        height *= 2
    return positions, height


def bake_font(name, font_path, size, line_height=None, scale=1, page_width=256):
    """Returns (fnt text, page RGBA floats) of the font `size` pixels high,
    drawn at `scale` page pixels per design pixel."""
    face, drawing_face = ImageFont.truetype(font_path, size), ImageFont.truetype(font_path, size * scale)
    ascent, descent = face.getmetrics()
    base = ascent
    cells = {code: tuple(v * scale for v in box) for code, box in _glyph_boxes(face).items()}
    padding, page_width = PADDING * scale, page_width * scale
    positions, page_height = _pack(cells, page_width, padding)
    coverage = Image.new("L", (page_width, page_height), 0)
    family, style = face.getname()
    face_name = family if style in ("Book", "Regular") else f"{family} {style}"
    lines = [
        f'info face="{face_name}" size={size * scale} bold=0 italic=0 charset="" unicode=0 '
        f'stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing={padding},{padding}',
        f"common lineHeight={(line_height or ascent + descent) * scale} base={base * scale} "
        f"scaleW={page_width} scaleH={page_height} pages=1",
        f'page id=0 file="{name}.png"',
        f"chars count={len(cells)}",
    ]
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        left, top, right, bottom = cells[code]
        x, y = positions[code]
        glyph = Image.new("L", (right - left, bottom - top), 0)
        ImageDraw.Draw(glyph).text((-left, -top), chr(code), font=drawing_face, fill=255, anchor="ls")
        coverage.paste(glyph, (x, y))
        advance = int(round(face.getlength(chr(code)))) * scale
        lines.append(f"char id={code} x={x} y={y} width={right - left} height={bottom - top} "
                     f"xoffset={left} yoffset={base * scale + top} xadvance={advance} page=0 chnl=15")
    lines.append("kernings count=0")
    alpha = np.asarray(coverage, dtype=np.float64) / 255.0
    page = np.concatenate([np.ones(alpha.shape + (3,)), alpha[..., None]], axis=-1)
    return "\n".join(lines) + "\n", page


def write_font(out_dir, name, font_path, size, line_height=None, scale=1):
    text, page = bake_font(name, font_path, size, line_height, scale)
    with open(f"{out_dir}/{name}.fnt", "w", newline="\n", encoding="ascii") as f:
        f.write(text)
    write_png(f"{out_dir}/{name}.png", page)
