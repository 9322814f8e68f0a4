"""The editor's three bitmap fonts.

font_heiti sets the value read-outs and the help panels; the help panel
wraps at 292 pixels and steps 15 pixels per line, so the face is DejaVu Sans
Condensed at 11 pixels, which keeps the longest help text within the panel.
"""
from bmfont_writer import write_font
from engraving import FONT_DIR

FONTS = (
    ("font_heiti", FONT_DIR + "DejaVuSansCondensed.ttf", 11, 15),
    ("font_marke", FONT_DIR + "DejaVuSans-Bold.ttf", 13, None),
    ("font_large", FONT_DIR + "DejaVuSans.ttf", 24, None),
)


def write_fonts(out_dir, scale=1):
    files = []
    for name, path, size, line_height in FONTS:
        write_font(out_dir, name, path, size, line_height, scale)
        files += [name + ".fnt", name + ".png"]
    return files
