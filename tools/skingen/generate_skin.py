#!/usr/bin/python3
"""Writes every file of the editor's skin folder into OUTDIR.

usage: generate_skin.py OUTDIR

Beside the design-size files, OUTDIR/2x holds the 2D textures and bitmap
fonts again at double density, under the same names, for an editor drawn at
1.5 times its design size or more. Models and shaders have no resolution and
exist once.

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

DENSE_FOLDER, DENSE_SCALE = "2x", 2


def write_images(out_dir, scale):
    """The textures and fonts with `scale` image pixels per design pixel."""
    os.makedirs(out_dir, exist_ok=True)
    files = write_panel_textures(out_dir, scale)
    write_png(os.path.join(out_dir, "sf_background.png"), faceplate(scale))
    files.append("sf_background.png")
    files += write_fonts(out_dir, scale)
    return files


def generate(out_dir):
    files = write_images(out_dir, 1)
    files += write_models(out_dir)
    files += write_shaders(out_dir)
    dense = write_images(os.path.join(out_dir, DENSE_FOLDER), DENSE_SCALE)
    files += [f"{DENSE_FOLDER}/{name}" for name in dense]
    return sorted(files)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    generate(argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
