"""Bakes a TrueType face into a BMFont text description (.fnt) and its
single page image (white glyphs, coverage in alpha), for the printable ASCII
characters. Every line uses the exact field order and single spaces that
the editor's font reader scans for."""
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


def _pack(boxes, page_width):
    """Shelf packing, tallest glyphs first; returns positions and the page height."""
    order = sorted(boxes, key=lambda c: (-(boxes[c][3] - boxes[c][1]), c))
    x = y = PADDING
    shelf = 0
    positions = {}
    for code in order:
        w, h = boxes[code][2] - boxes[code][0], boxes[code][3] - boxes[code][1]
        if x + w + PADDING > page_width:
            x, y, shelf = PADDING, y + shelf + PADDING, 0
        positions[code] = (x, y)
        x += w + PADDING
        shelf = max(shelf, h)
    height = 1
    while height < y + shelf + PADDING:
        height *= 2
    return positions, height


def bake_font(name, font_path, size, line_height=None, page_width=256):
    """Returns (fnt text, page RGBA floats)."""
    face = ImageFont.truetype(font_path, size)
    ascent, descent = face.getmetrics()
    base = ascent
    boxes = _glyph_boxes(face)
    positions, page_height = _pack(boxes, page_width)
    coverage = Image.new("L", (page_width, page_height), 0)
    draw = ImageDraw.Draw(coverage)
    family, style = face.getname()
    face_name = family if style in ("Book", "Regular") else f"{family} {style}"
    lines = [
        f'info face="{face_name}" size={size} bold=0 italic=0 charset="" unicode=0 '
        f'stretchH=100 smooth=1 aa=1 padding=0,0,0,0 spacing={PADDING},{PADDING}',
        f"common lineHeight={line_height or ascent + descent} base={base} "
        f"scaleW={page_width} scaleH={page_height} pages=1",
        f'page id=0 file="{name}.png"',
        f"chars count={len(boxes)}",
    ]
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        left, top, right, bottom = boxes[code]
        x, y = positions[code]
        draw.text((x - left, y - top), chr(code), font=face, fill=255, anchor="ls")
        advance = int(round(face.getlength(chr(code))))
        lines.append(f"char id={code} x={x} y={y} width={right - left} height={bottom - top} "
                     f"xoffset={left} yoffset={base + top} xadvance={advance} page=0 chnl=15")
    lines.append("kernings count=0")
    alpha = np.asarray(coverage, dtype=np.float64) / 255.0
    page = np.concatenate([np.ones(alpha.shape + (3,)), alpha[..., None]], axis=-1)
    return "\n".join(lines) + "\n", page


def write_font(out_dir, name, font_path, size, line_height=None):
    text, page = bake_font(name, font_path, size, line_height)
    with open(f"{out_dir}/{name}.fnt", "w", newline="\n", encoding="ascii") as f:
        f.write(text)
    write_png(f"{out_dir}/{name}.png", page)
