"""The small textures: the missing-texture placeholder, the information
panel backdrop, the equaliser point rings and the ribbon line profile.

The editor maps these onto quads whose texture rows may run either way up
(and panels may open left or down), so every image here is symmetric top
to bottom and left to right within each of its tiles. Each is drawn in
design pixels at a whole-number density: `scale` image pixels per design
pixel.
"""
import numpy as np

from png_writer import write_png
from shapes import Canvas


def missing(scale=1):
    """Magenta and black checkerboard: impossible to mistake for real art."""
    ys, xs = np.mgrid[0:64 * scale, 0:64 * scale]
    square = 8 * scale
    magenta = ((xs // square + ys // square) % 2 == 0)[..., None]
    return np.where(magenta, np.array([1.0, 0.0, 1.0]), np.array([0.0, 0.0, 0.0]))


def info_back(scale=1):
    """Dark smoked glass with a fine light border: 88 % opaque, so light help
    text stays readable over the brightest controls."""
    size = 320
    canvas = Canvas(size, size, scale)
    panel = canvas.rounded_rect((0.5, 0.5, size - 0.5, size - 0.5), 10.0)
    border = canvas.cover(np.abs(panel + 2.0) - 0.6)
    inside = canvas.cover(panel)
    centre = np.hypot(canvas.x - size / 2.0, canvas.y - size / 2.0) / (size * 0.7)
    fill = np.array([0.030, 0.032, 0.040]) + 0.025 * np.clip(1.0 - centre, 0.0, 1.0)[..., None]
    rgb = fill * (1.0 - border[..., None]) + np.array([0.55, 0.50, 0.42]) * border[..., None]
    alpha = inside * (0.88 * (1.0 - border) + 0.75 * border)
    return np.concatenate([rgb, alpha[..., None]], axis=-1)


def _ring_tile(canvas, cx, radius, width, colour, glow, dot):
    """One ring: a dark outline keeps it visible over bright spectrum, an
    optional glow and centre dot mark the lit state."""
    distance = canvas.circle(cx, 16.0, 0.0)
    ring = canvas.cover(np.abs(distance - radius) - width / 2.0)
    outline = canvas.cover(np.abs(distance - radius) - width / 2.0 - 1.2) * 0.6
    halo = glow * np.exp(-((distance - radius) / 3.5) ** 2)
    light = np.clip(ring + dot * canvas.cover(distance - 1.8), 0.0, 1.0)
    alpha = np.clip(light + np.maximum(outline, halo) * (1.0 - light), 0.0, 1.0)
    # Colour where the ring or the glow shows, black where only the outline does.
    share = (light + halo * (1.0 - light)) / np.maximum(alpha, 1e-6)
    rgb = np.asarray(colour) * np.clip(share, 0.0, 1.0)[..., None]
    inside_tile = np.abs(canvas.x - cx) < 16.0
    return rgb, alpha * inside_tile


def eq_ring(scale=1):
    """64 x 32: the normal point ring on the left, the lit one on the right,
    drawn 1:1 as 32-pixel handles."""
    canvas = Canvas(64, 32, scale)
    rgb_a, alpha_a = _ring_tile(canvas, 16.0, 6.5, 1.6, (0.92, 0.88, 0.80), 0.0, 0.0)
    rgb_b, alpha_b = _ring_tile(canvas, 48.0, 7.5, 2.2, (1.0, 0.66, 0.22), 0.55, 1.0)
    left = (canvas.x < 32.0)[..., None]
    rgb = np.where(left, rgb_a, rgb_b)
    alpha = np.where(left[..., 0], alpha_a, alpha_b)
    return np.concatenate([rgb, alpha[..., None]], axis=-1)


def line_profile(scale=1):
    """4 x 32: white, opaque across the middle and soft at both edges of v."""
    v = (np.arange(32 * scale) + 0.5) / (32.0 * scale)
    edge = np.clip((0.5 - np.abs(v - 0.5)) / 0.22, 0.0, 1.0)
    alpha = edge * edge * (3.0 - 2.0 * edge)
    image = np.ones((32 * scale, 4 * scale, 4))
    image[..., 3] = alpha[:, None]
    return image


TEXTURES = {
    "missing.png": missing,
    "info_back.png": info_back,
    "eq_ring.png": eq_ring,
    "line.png": line_profile,
}


def write_panel_textures(out_dir, scale=1):
    for name, build in TEXTURES.items():
        write_png(f"{out_dir}/{name}", build(scale))
    return sorted(TEXTURES)
