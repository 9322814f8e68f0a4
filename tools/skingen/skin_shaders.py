"""Copies the GLSL sources (kept as real files under shaders/) into the skin."""
import os

SOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "shaders")
PROGRAMS = ("linedraw", "display", "widthline", "curve", "2d_texture", "lineequaliser", "fft_back", "scope")


def write_shaders(out_dir):
    files = []
    for program in PROGRAMS:
        for extension in (".vert", ".frag"):
            name = program + extension
            with open(os.path.join(SOURCE_DIR, name), "rb") as source:
                text = source.read()
            with open(os.path.join(out_dir, name), "wb") as target:
                target.write(text)
            files.append(name)
    return files
