#!/usr/bin/python3
"""Writes every file of the editor's skin folder into OUTDIR.

usage: generate_skin.py OUTDIR

The output depends only on these sources, the DejaVu fonts and the
installed Pillow and numpy: no clocks, fixed random seeds, PNG files
without time chunks. Two runs give identical bytes.
"""
import os
import sys

from faceplate import faceplate
from models import write_models
from panel_textures import write_panel_textures
from png_writer import write_png
from skin_fonts import write_fonts
from skin_shaders import write_shaders


def generate(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    files = write_panel_textures(out_dir)
    write_png(os.path.join(out_dir, "sf_background.png"), faceplate())
    files.append("sf_background.png")
    files += write_models(out_dir)
    files += write_fonts(out_dir)
    files += write_shaders(out_dir)
    return sorted(files)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    generate(argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
