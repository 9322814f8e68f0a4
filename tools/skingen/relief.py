"""Drawing surface for the faceplate: an albedo image, a height field for
engraved and raised relief, glass areas and paint, shaded at the end with a
light from the top left (the side the editor's main light comes from, so
bevels agree with the lit 3D controls)."""
import math

import numpy as np

import layout as lay
from engraving import font, text_mask
from shapes import Canvas, blend, cover, plateau

LIGHT = np.array([-1.0, -1.0, 1.4]) / math.sqrt(1.0 + 1.0 + 1.96)
GRAIN_SEED = 7411


class Plate:
    """Albedo, relief and paint of the faceplate while it is being drawn."""

    def __init__(self, plate_colour):
        self.canvas = Canvas(lay.WIDTH, lay.HEIGHT)
        self.albedo = np.broadcast_to(plate_colour, (lay.HEIGHT, lay.WIDTH, 3)) * _brushed_grain()[..., None]
        self.height = np.zeros((lay.HEIGHT, lay.WIDTH))
        self.glass = np.zeros((lay.HEIGHT, lay.WIDTH))
        self.paint = []                      # (coverage, colour), applied after shading

    def raise_area(self, sdf, height, ramp, colour=None):
        self.height += plateau(sdf, height, ramp)
        if colour is not None:
            self.albedo = blend(self.albedo, colour * _brushed_grain(GRAIN_SEED + 1)[..., None], cover(sdf))

    def recess(self, sdf, depth, ramp, colour, glass=False):
        self.height -= plateau(sdf, depth, ramp)
        self.albedo = blend(self.albedo, colour, cover(sdf + 0.5))
        if glass:
            self.glass = np.maximum(self.glass, cover(sdf + 0.5))

    def label(self, text, x, baseline, align, size, face, colour, tracking):
        mask = text_mask(lay.WIDTH, lay.HEIGHT, text, font(face, size), x, baseline, align, tracking)
        self.paint.append((mask, colour))

    def stroke(self, a, b, width, colour):
        self.paint.append((cover(self.canvas.segment(a, b, width / 2.0)), colour))

    def render(self):
        rgb = self.albedo * _relief_shading(self.height)[..., None] + _relief_highlight(self.height)[..., None]
        rgb = _glass_sheen(rgb, self.glass, self.canvas)
        for mask, colour in self.paint:
            # Paint sits in an engraving: its lower-right wall catches the light.
            rim = np.roll(np.roll(mask, 1, axis=0), 1, axis=1) * (1.0 - mask)
            rgb = blend(rgb, np.minimum(rgb * 2.2 + 0.04, 1.0), rim * 0.55)
            rgb = blend(rgb, colour, mask)
        return np.clip(rgb * _light_falloff(self.canvas)[..., None], 0.0, 1.0)


def _brushed_grain(seed=GRAIN_SEED):
    """Fine horizontal streaks of brushed metal around 1.0."""
    rng = np.random.default_rng(seed)
    noise = rng.standard_normal((lay.HEIGHT, lay.WIDTH + 96))
    run = 61
    summed = np.cumsum(noise, axis=1)
    streaks = (summed[:, run:] - summed[:, :-run])[:, :lay.WIDTH] / math.sqrt(run)
    streaks = 0.7 * streaks + 0.3 * np.roll(streaks, 1, axis=0)
    rows = np.convolve(rng.standard_normal(lay.HEIGHT + 8), np.ones(9) / 3.0, mode="valid")[:lay.HEIGHT]
    return 1.0 + 0.035 * streaks + 0.02 * rows[:, None]


def _normals(height):
    gy, gx = np.gradient(height)
    n = np.stack([-gx, -gy, np.ones_like(height)], axis=-1)
    return n / np.linalg.norm(n, axis=-1, keepdims=True)


def _relief_shading(height):
    return np.clip((_normals(height) @ LIGHT) / LIGHT[2], 0.35, 2.2)


def _relief_highlight(height):
    half = LIGHT + np.array([0.0, 0.0, 1.0])
    half /= np.linalg.norm(half)
    flat = half[2] ** 24
    return 0.35 * np.maximum(0.0, np.maximum(_normals(height) @ half, 0.0) ** 24 - flat)


def _glass_sheen(rgb, glass, canvas):
    """A faint diagonal reflection across the glass windows."""
    diagonal = (canvas.x * 0.6 + canvas.y) / (lay.WIDTH * 0.6 + lay.HEIGHT)
    sheen = 0.022 * np.clip(1.0 - diagonal * 1.6, 0.0, 1.0)
    return rgb + (glass * sheen)[..., None]


def _light_falloff(canvas):
    """Soft light from the top left with a gentle vignette."""
    u, v = canvas.x / lay.WIDTH, canvas.y / lay.HEIGHT
    gradient = 1.12 - 0.22 * (0.45 * u + 0.55 * v)
    edge = np.minimum(np.minimum(u, 1.0 - u) * 10.0, 1.0) * np.minimum(np.minimum(v, 1.0 - v) * 10.0, 1.0)
    return gradient * (0.9 + 0.1 * edge)
