"""Drawing surface for the faceplate: an albedo image, a height field for
engraved and raised relief, glass areas and paint, shaded at the end with a
light from the top left (the side the editor's main light comes from, so
bevels agree with the lit 3D controls). Heights are in design pixels, so a
denser plate shades its bevels with the same slopes."""
import math

import numpy as np

import layout as lay
from engraving import text_mask
from shapes import Canvas, blend, plateau

LIGHT = np.array([-1.0, -1.0, 1.4]) / math.sqrt(1.0 + 1.0 + 1.96)
GRAIN_SEED = 7411


class Plate:
    """Albedo, relief and paint of the faceplate while it is being drawn."""

    def __init__(self, plate_colour, scale=1):
        self.canvas = Canvas(lay.WIDTH, lay.HEIGHT, scale)
        shape = (self.canvas.pixel_height, self.canvas.pixel_width)
        self.albedo = np.broadcast_to(plate_colour, shape + (3,)) * _brushed_grain(scale)[..., None]
        self.height = np.zeros(shape)
        self.glass = np.zeros(shape)
        self.paint = []                      # (top, left, coverage, colour), applied after shading

    def raise_area(self, sdf, height, ramp, colour=None):
        self.height += plateau(sdf, height, ramp)
        if colour is not None:
            grain = _brushed_grain(self.canvas.scale, GRAIN_SEED + 1)
            self.albedo = blend(self.albedo, colour * grain[..., None], self.canvas.cover(sdf))

    def recess(self, sdf, depth, ramp, colour, glass=False):
        self.height -= plateau(sdf, depth, ramp)
        self.albedo = blend(self.albedo, colour, self.canvas.cover(sdf + 0.5))
        if glass:
            self.glass = np.maximum(self.glass, self.canvas.cover(sdf + 0.5))

    def label(self, text, x, baseline, align, size, face, colour, tracking):
        self.add_paint(text_mask(self.canvas, text, face, size, x, baseline, align, tracking), colour)

    def stroke(self, a, b, width, colour):
        self.add_paint(self.canvas.cover(self.canvas.segment(a, b, width / 2.0)), colour)

    def add_paint(self, coverage, colour):
        # Kept as the window round the painted pixels: paint is small, the plate is not.
        painted = coverage > 0.0
        rows, columns = np.nonzero(painted.any(axis=1))[0], np.nonzero(painted.any(axis=0))[0]
        if len(rows):
            top, left = rows[0], columns[0]
            self.paint.append((top, left, coverage[top:rows[-1] + 1, left:columns[-1] + 1].copy(), colour))

    def render(self):
        scale = self.canvas.scale
        rgb = self.albedo * _relief_shading(self.height, scale)[..., None] \
            + _relief_highlight(self.height, scale)[..., None]
        rgb = _glass_sheen(rgb, self.glass, self.canvas)
        for top, left, mask, colour in self.paint:
            # Paint sits in an engraving: its lower-right wall, one design pixel wide, catches the light.
            window = rgb[top:top + mask.shape[0] + scale, left:left + mask.shape[1] + scale]
            paint = np.zeros(window.shape[:2])
            paint[:mask.shape[0], :mask.shape[1]] = mask
            shifted = np.zeros_like(paint)
            shifted[scale:, scale:] = paint[:-scale, :-scale]
            rim = shifted * (1.0 - paint)
            window = blend(window, np.minimum(window * 2.2 + 0.04, 1.0), rim * 0.55)
            rgb[top:top + window.shape[0], left:left + window.shape[1]] = blend(window, colour, paint)
        return np.clip(rgb * _light_falloff(self.canvas)[..., None], 0.0, 1.0)


def _brushed_grain(scale, seed=GRAIN_SEED):
    """Fine horizontal streaks of brushed metal around 1.0, one streak per
    design pixel row. A denser plate samples the same streaks: rows repeat,
    and along a row the smooth streak values are interpolated."""
    rng = np.random.default_rng(seed)
    noise = rng.standard_normal((lay.HEIGHT, lay.WIDTH + 96))
    run = 61
    summed = np.cumsum(noise, axis=1)
    streaks = (summed[:, run:] - summed[:, :-run])[:, :lay.WIDTH] / math.sqrt(run)
    streaks = 0.7 * streaks + 0.3 * np.roll(streaks, 1, axis=0)
    rows = np.convolve(rng.standard_normal(lay.HEIGHT + 8), np.ones(9) / 3.0, mode="valid")[:lay.HEIGHT]
    grain = 1.0 + 0.035 * streaks + 0.02 * rows[:, None]
    position = np.clip((np.arange(lay.WIDTH * scale) + 0.5) / scale - 0.5, 0.0, lay.WIDTH - 1.0)
    before = np.minimum(np.floor(position).astype(int), lay.WIDTH - 2)
    share = position - before
    along = grain[:, before] * (1.0 - share) + grain[:, before + 1] * share
    return np.repeat(along, scale, axis=0)


def _normals(height, scale):
    gy, gx = np.gradient(height, 1.0 / scale)
    n = np.stack([-gx, -gy, np.ones_like(height)], axis=-1)
    return n / np.linalg.norm(n, axis=-1, keepdims=True)


def _relief_shading(height, scale):
    return np.clip((_normals(height, scale) @ LIGHT) / LIGHT[2], 0.35, 2.2)


def _relief_highlight(height, scale):
    half = LIGHT + np.array([0.0, 0.0, 1.0])
    half /= np.linalg.norm(half)
    flat = half[2] ** 24
    return 0.35 * np.maximum(0.0, np.maximum(_normals(height, scale) @ half, 0.0) ** 24 - flat)


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
