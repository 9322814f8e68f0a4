#!/usr/bin/python3
"""Compiles and runs the skin's shaders on Mesa's off-screen OpenGL.

usage: check_skin_shaders.py SKIN_DIR

Each program must compile and link as GLSL on a GL 2 compatible driver,
its active uniforms must be exactly the ones the editor sets, and the
displays must draw what the editor's help texts promise (levels in their
halves, red when clipped, a blue bass ring, white veins that move with
time, lights that gather in mono and spread when wide, the shape curve, the
spectrum along the equaliser's frequency axis). Exits with 77 (skipped)
when Mesa's off-screen library is not installed.
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "skingen"))
from osmesa_gl import (GL_CLAMP_TO_EDGE, GL_COLOR_BUFFER_BIT, GL_FLOAT, GL_R32F, GL_RED, GL_RGBA,  # noqa: E402
                       GL_TEXTURE_2D, GL_UNSIGNED_BYTE, GLError, OffscreenGL, find_osmesa)

SKIPPED = 77
UNIFORMS = {
    "linedraw": ["resolution"],
    "display": ["clipped", "stereo", "ticker", "zed"],
    "widthline": ["width"],
    "curve": ["parShape"],
    "2d_texture": ["texture0"],
    "lineequaliser": [],
    "fft_back": ["texture0"],
    "scope": [],
}
FULL = ([(-1, -1), (1, -1), (-1, 1), (1, 1)], [(0, 0), (1, 0), (0, 1), (1, 1)])
# The equaliser's background quad: first texture coordinate bottom to top, second left to right.
EQ_FULL = ([(-1, -1), (-1, 1), (1, -1), (1, 1)], [(0, 0), (1, 0), (0, 1), (1, 1)])


class Checks:
    def __init__(self, skin_dir):
        self.skin_dir = skin_dir
        self.failures, self.passed = [], 0
        self.contexts = {}

    def expect(self, condition, message):
        if condition:
            self.passed += 1
        else:
            self.failures.append(message)

    def render(self, program_name, size, uniforms, quad=FULL, texture=None):
        """Draws one quad over a viewport of `size` and returns RGB floats, row 0 at the top."""
        gl = self.contexts.get(size)
        if gl is None:
            gl = self.contexts[size] = OffscreenGL(*size)
        read = lambda ext: open(os.path.join(self.skin_dir, program_name + ext), encoding="ascii").read()
        program = gl.program(read(".vert"), read(".frag"))
        gl.glUseProgram(program)
        for name, values in uniforms.items():
            values = values if isinstance(values, tuple) else (values,)
            location = gl.uniform(program, name)
            if name == "texture0":
                gl.glUniform1i(location, 0)
            else:
                {1: gl.glUniform1f, 2: gl.glUniform2f, 4: gl.glUniform4f}[len(values)](location, *values)
        if texture is not None:
            gl.glBindTexture(GL_TEXTURE_2D, gl.texture(*texture))
        gl.glClearColor(0, 0, 0, 0)
        gl.glClear(GL_COLOR_BUFFER_BIT)
        gl.strip(*quad)
        gl.glUseProgram(0)
        return gl.pixels()[..., :3] / 255.0

    def programs(self):
        gl = OffscreenGL(8, 8)
        for name, expected in UNIFORMS.items():
            read = lambda ext: open(os.path.join(self.skin_dir, name + ext), encoding="ascii").read()
            try:
                active = gl.active_uniforms(gl.program(read(".vert"), read(".frag")))
            except GLError as error:
                self.expect(False, f"{name}: does not build on Mesa: {error}")
                continue
            self.expect(active == expected, f"{name}: active uniforms {active}, the editor sets {expected}")

    def gain_panel(self):
        size = (320, 320)
        def panel(stereo, clipped=0.0, ticker=0.0):
            return self.render("display", size, {"stereo": stereo, "clipped": clipped, "ticker": ticker})
        quiet = panel((0.0, 0.0, -0.14, 0.0))
        self.expect(quiet.mean() < 0.08, "display: a silent output is not dark")
        left = panel((0.9, 0.0, -0.14, 0.0))
        self.expect(left[:, :160].mean() > 4 * left[:, 160:].mean() + 0.02,
                    "display: the left level does not light the left half")
        right = panel((0.0, 0.9, -0.14, 0.0))
        self.expect(right[:, 160:].mean() > 4 * right[:, :160].mean() + 0.02,
                    "display: the right level does not light the right half")
        red = panel((0.5, 0.5, 0.2, 0.5), clipped=1.0)
        self.expect((red[..., 0] > 0.5).mean() > 0.95 and red[..., 1:].max() < 0.2,
                    "display: a clipped frame is not solid red")
        bass = panel((0.0, 0.0, 0.6, 0.0))
        centre = bass[100:220, 100:220]
        self.expect(centre[..., 2].mean() > 2 * centre[..., 0].mean() + 0.02,
                    "display: bass transients draw no blue ring at the centre")
        calm = panel((0.8, 0.8, -0.14, 0.0), ticker=5.0)
        excited = panel((0.8, 0.8, -0.14, 1.0), ticker=5.0)
        later = panel((0.8, 0.8, -0.14, 1.0), ticker=9.0)
        whiteness = lambda image: (image.min(axis=-1) > 0.6).mean()
        self.expect(whiteness(excited) > whiteness(calm) + 0.02,
                    "display: high-frequency excitement draws no white veins")
        self.expect(np.abs(excited - later).mean() > 0.005, "display: the veins do not move with the ticker")

    def width_display(self):
        size = (320, 16)
        brightness = lambda width: self.render("widthline", size, {"width": width}).mean(axis=(0, 2))
        mono, neutral, wide = brightness(0.0), brightness(0.5), brightness(1.0)
        centre, between, sides = slice(155, 165), slice(100, 130), np.r_[0:40, 280:320]
        self.expect(mono[centre].mean() > 3 * mono[sides].mean(), "widthline: mono does not gather the lights")
        self.expect(wide[sides].mean() > 1.5 * neutral[sides].mean(),
                    "widthline: wide does not move the lights to the sides")
        self.expect(wide[centre].mean() > 2 * wide[between].mean(),
                    "widthline: the central light leaves the centre when wide")

    def shape_curve(self):
        size = (58, 40)
        def bright_row(shape, column):
            image = self.render("curve", size, {"parShape": shape})
            return int(np.argmax(image[:, column, 0] + image[:, column, 1] - image[:, column, 2]))
        column = int(58 * (0.5 + 0.5 * 0.5 / 1.12))      # input 0.5
        linear, driven = bright_row(0.0, column), bright_row(2.0, column)
        self.expect(driven < linear - 3, "curve: a high shape does not lift the curve above the straight line")

    def spectrum(self):
        size = (464, 100)
        power = np.full((1, 512), 1e-14, dtype=np.float32)
        power[0, 250:262] = 0.1
        image = self.render("fft_back", size, {"texture0": 0}, quad=EQ_FULL,
                            texture=(power, GL_R32F, GL_RED, GL_FLOAT, GL_CLAMP_TO_EDGE))
        columns = image.mean(axis=(0, 2))
        self.expect(columns[226:238].mean() > 4 * columns[:150].mean(),
                    "fft_back: a loud band does not show at its place along the frequency axis")

    def textured_quad(self):
        texel = np.array([[[200, 100, 50, 128]]], dtype=np.uint8)
        image = self.render("2d_texture", (8, 8), {"texture0": 0}, texture=(texel, GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE))
        self.expect(np.abs(image[4, 4] * 255 - [200, 100, 50]).max() < 3, "2d_texture: does not draw its texture")

    def run(self):
        self.programs()
        if self.failures:
            return
        self.gain_panel()
        self.width_display()
        self.shape_curve()
        self.spectrum()
        self.textured_quad()


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    if not find_osmesa():
        print("skipped: Mesa's off-screen library (libOSMesa) is not installed")
        return SKIPPED
    checks = Checks(argv[1])
    checks.run()
    for failure in checks.failures:
        print("FAIL:", failure)
    print(f"{checks.passed} passed, {len(checks.failures)} failed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
