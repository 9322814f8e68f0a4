"""Renders the whole editor as it would look in use: the software preview
of faceplate and models, then on Mesa's OpenGL the skin's own shaders for
the stereo gain panel, width display, equaliser (spectrum, guide lines,
curve, point rings) and shape curve, and the information panel with a help
text set in font_heiti over info_back.png.

usage: shader_preview.py SKIN_DIR OUT_PNG [HELP_TEXT_FILE]

The displays are fed fixed demonstration values; the shape curve is shown
although the editor draws it only while the Shape dial is hovered.
"""
import os
import sys

import numpy as np
from PIL import Image

import editor_scene as scene
import layout as lay
from bmfont_reader import read_fnt
from osmesa_gl import (GL_BLEND, GL_CLAMP_TO_EDGE, GL_FLOAT, GL_ONE_MINUS_SRC_ALPHA, GL_R32F, GL_RED,
                       GL_RGBA, GL_SRC_ALPHA, GL_TEXTURE_2D, GL_UNSIGNED_BYTE, OffscreenGL)
from png_writer import write_png
from preview import render_preview

DEMO_POINTS = [(0.0, 0.5), (0.22, 0.62), (0.5, 0.42), (0.78, 0.66), (1.0, 0.5)]
DEMO_EQ_GAIN = 5.0 / 11.0
TEXT_COLOUR = (0.8, 0.8, 0.85, 1.0)


def demo_spectrum():
    """512 power values shaped like a mix: falling with frequency, a few resonances."""
    rng = np.random.default_rng(3)
    x = (np.arange(512) + 0.5) / 512.0
    frequency = 40.0 + 20000.0 * x ** 4
    db = -28.0 - 9.0 * np.log2(frequency / 100.0).clip(0.0) - 10.0 * (frequency < 60)
    for centre, gain in ((80.0, 8.0), (2500.0, 6.0), (9000.0, 5.0)):
        db += gain * np.exp(-np.log2(frequency / centre) ** 2 * 3.0)
    db += rng.normal(0.0, 2.5, 512)
    return (10.0 ** (db / 10.0)).astype(np.float32).reshape(1, 512)


class Preview:
    def __init__(self, skin_dir):
        self.skin_dir = skin_dir
        self.gl = OffscreenGL(lay.WIDTH, lay.HEIGHT)
        self.gl.glEnable(GL_BLEND)
        self.gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)
        self.programs = {}

    def shader(self, name):
        if name not in self.programs:
            read = lambda ext: open(os.path.join(self.skin_dir, name + ext)).read()
            self.programs[name] = self.gl.program(read(".vert"), read(".frag"))
        program = self.programs[name]
        self.gl.glUseProgram(program)
        return program

    def set(self, program, name, *values):
        location = self.gl.uniform(program, name)
        {1: self.gl.glUniform1f, 2: self.gl.glUniform2f, 4: self.gl.glUniform4f}[len(values)](location, *values)

    def image_texture(self, pixels):
        data = np.ascontiguousarray(pixels, dtype=np.uint8)
        if data.shape[2] == 3:
            data = np.concatenate([data, np.full(data.shape[:2] + (1,), 255, np.uint8)], axis=2)
        return self.gl.texture(data, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE)

    def png_texture(self, name):
        return self.image_texture(np.asarray(Image.open(os.path.join(self.skin_dir, name)).convert("RGBA")))

    def background(self):
        base = np.clip(np.rint(render_preview(self.skin_dir) * 255.0), 0, 255)
        self.gl.glUseProgram(0)
        self.gl.glEnable(GL_TEXTURE_2D)
        self.gl.glBindTexture(GL_TEXTURE_2D, self.image_texture(base))
        self.gl.glColor4f(1, 1, 1, 1)
        self.gl.strip([(-1, -1), (1, -1), (-1, 1), (1, 1)], [(0, 1), (1, 1), (0, 0), (1, 0)])
        self.gl.glDisable(GL_TEXTURE_2D)

    def displays(self):
        program = self.shader("display")
        self.set(program, "stereo", 0.78, 0.62, 0.30, 0.55)
        self.set(program, "clipped", 0.0)
        self.set(program, "ticker", 12.0)
        self.gl.strip(*scene.display_quad(lay.GAIN_PANEL))
        self.set(self.shader("widthline"), "width", 0.72)
        self.gl.strip(*scene.display_quad(lay.WIDTH_DISPLAY))
        self.set(self.shader("curve"), "parShape", 1.0)
        self.gl.strip(*scene.display_quad(lay.SHAPE_CURVE))

    def equaliser(self):
        self.set(self.shader("fft_back"), "texture0", 0)
        self.gl.glUniform1i(self.gl.uniform(self.programs["fft_back"], "texture0"), 0)
        self.gl.glBindTexture(GL_TEXTURE_2D, self.gl.texture(demo_spectrum(), GL_R32F, GL_RED, GL_FLOAT,
                                                             wrap=GL_CLAMP_TO_EDGE))
        self.gl.strip(*scene.equaliser_background_quad())
        program = self.shader("linedraw")
        self.set(program, "resolution", float(lay.WIDTH), float(lay.HEIGHT))
        for line in scene.guide_lines(DEMO_EQ_GAIN):
            vertices, texcoords = scene.ribbon(line, 2.5)
            self.gl.strip(vertices, texcoords, [(0.9, 0.3, 0.2, 0.2)] * len(vertices))
        vertices, texcoords = scene.ribbon(scene.equaliser_curve(DEMO_POINTS), 5.0)
        self.gl.strip(vertices, texcoords, [(0.9, 0.8, 0.7, 1.0)] * len(vertices))
        self.gl.glUniform1i(self.gl.uniform(self.shader("2d_texture"), "texture0"), 0)
        self.gl.glBindTexture(GL_TEXTURE_2D, self.png_texture("eq_ring.png"))
        x0, y0, w, h = scene.equaliser_inner()
        for index, (x, y) in enumerate(DEMO_POINTS):
            s = 0.5 if index == 2 else 0.0
            self.gl.strip(*scene.centred_quad(x0 + x * w, y0 + y * h, 32.0 / lay.WIDTH, 32.0 / lay.HEIGHT,
                                              s, 0.0, s + 0.5, 1.0))

    def text(self, font_name, text, x, y, colour, box=None, centred=False):
        """The editor's text drawing: pixel coordinates from the window centre, y up."""
        font = read_fnt(os.path.join(self.skin_dir, font_name + ".fnt"))
        width = font.measure(text)
        x = int(x - int(width * 0.5)) if centred else int(x)
        y = int(y)
        self.gl.glUseProgram(0)
        to_ndc = lambda px, py: (px * 2.0 / lay.WIDTH, py * 2.0 / lay.HEIGHT)
        if box:
            fill, outline = box
            corners = [to_ndc(x - 3, y - 2), to_ndc(x + width + 3, y - 2),
                       to_ndc(x - 3, y + font.base + 1), to_ndc(x + width + 3, y + font.base + 1)]
            self.gl.strip(corners, [(0, 0)] * 4, [fill] * 4)
        self.gl.glEnable(GL_TEXTURE_2D)
        self.gl.glBindTexture(GL_TEXTURE_2D, self.png_texture(font_name + ".png"))
        pen = x
        for ch in text:
            g = font.glyphs.get(ord(ch))
            if g is None:
                continue
            left, right = pen + g.xoffset, pen + g.xoffset + g.width
            bottom, top = y + font.base - g.yoffset - g.height, y + font.base - g.yoffset
            s0, s1 = g.x / font.scale_w, (g.x + g.width) / font.scale_w
            t0, t1 = g.y / font.scale_h, (g.y + g.height) / font.scale_h
            # Page rows are uploaded top row first, so t = 0 is the page's top row.
            self.gl.strip([to_ndc(left, bottom), to_ndc(right, bottom), to_ndc(left, top), to_ndc(right, top)],
                          [(s0, t1), (s1, t1), (s0, t0), (s1, t0)], [colour] * 4)
            pen += g.xadvance
        self.gl.glDisable(GL_TEXTURE_2D)

    def information_panel(self, help_text):
        """The Sizzle dial's panel: anchored at the dial, opening left and down."""
        ax, ay = lay.L + 459.0, lay.B + 343.5
        ex, ey = -321.0, -321.0
        self.gl.glUniform1i(self.gl.uniform(self.shader("2d_texture"), "texture0"), 0)
        self.gl.glBindTexture(GL_TEXTURE_2D, self.png_texture("info_back.png"))
        to_ndc = lambda px, py: (px * 2.0 / lay.WIDTH, py * 2.0 / lay.HEIGHT)
        self.gl.strip([to_ndc(ax, ay), to_ndc(ax + ex, ay), to_ndc(ax, ay + ey), to_ndc(ax + ex, ay + ey)],
                      [(0, 0), (1, 0), (0, 1), (1, 1)])
        font = read_fnt(os.path.join(self.skin_dir, "font_heiti.fnt"))
        x, y = min(ax, ax + ex) + 14.0, max(ay, ay + ey) - 26.0
        for line in font.help_lines(help_text):
            self.text("font_heiti", line, x, y, TEXT_COLOUR)
            y -= 15.0

    def value_text(self):
        cx = lay.SIZZLE_DIAL.scene_centre[0]
        top = lay.SIZZLE_DIAL.scene_origin[1] + lay.SIZZLE_DIAL.h + 4.0
        self.text("font_heiti", "%4.4f" % 0.0, cx, top + 3.0, TEXT_COLOUR,
                  box=((0.25, 0.1, 0.05, 1.0), (0.95, 0.85, 0.6, 0.5)), centred=True)


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    preview = Preview(argv[1])
    preview.background()
    preview.displays()
    preview.equaliser()
    preview.value_text()
    if len(argv) == 4:
        preview.information_panel(open(argv[3], encoding="utf-8").read())
    write_png(argv[2], preview.gl.pixels()[..., :3] / 255.0)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
