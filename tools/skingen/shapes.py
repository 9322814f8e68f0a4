"""Signed distance fields and soft masks on a pixel grid, for drawing
anti-aliased shapes with numpy.

Shapes are given in design pixels; a canvas drawn at `scale` has `scale`
image pixels per design pixel, with pixel centres at (i + 0.5) / scale. So
the same drawing code renders the 1x image and a sharper one of double
density whose pixels (2i, 2j)..(2i+1, 2j+1) cover the 1x pixel (i, j)."""
import numpy as np


class Canvas:
    def __init__(self, width, height, scale=1):
        self.width, self.height, self.scale = width, height, scale
        self.pixel_width, self.pixel_height = width * scale, height * scale
        ys, xs = np.mgrid[0:self.pixel_height, 0:self.pixel_width].astype(np.float64)
        self.x, self.y = (xs + 0.5) / scale, (ys + 0.5) / scale

    def rounded_rect(self, rect, radius):
        """Signed distance to a rounded rectangle (left, top, right, bottom); negative inside."""
        left, top, right, bottom = rect
        radius = min(radius, (right - left) / 2.0, (bottom - top) / 2.0)
        qx = np.abs(self.x - (left + right) / 2.0) - ((right - left) / 2.0 - radius)
        qy = np.abs(self.y - (top + bottom) / 2.0) - ((bottom - top) / 2.0 - radius)
        outside = np.hypot(np.maximum(qx, 0.0), np.maximum(qy, 0.0))
        return outside + np.minimum(np.maximum(qx, qy), 0.0) - radius

    def circle(self, cx, cy, radius):
        return np.hypot(self.x - cx, self.y - cy) - radius

    def segment(self, a, b, half_width):
        """Signed distance to a thick line segment with round ends."""
        ax, ay = a
        dx, dy = b[0] - ax, b[1] - ay
        t = np.clip(((self.x - ax) * dx + (self.y - ay) * dy) / (dx * dx + dy * dy + 1e-12), 0.0, 1.0)
        return np.hypot(self.x - ax - t * dx, self.y - ay - t * dy) - half_width

    def cover(self, sdf):
        """Anti-aliased coverage of the inside of a distance field: the edge
        fades over one image pixel, so a denser canvas draws sharper edges."""
        return np.clip(0.5 - sdf * self.scale, 0.0, 1.0)


def plateau(sdf, height, ramp):
    """Height field that rises smoothly over `ramp` design pixels inside the shape's edge."""
    t = np.clip(-sdf / ramp + 0.5 / ramp, 0.0, 1.0)
    return height * t * t * (3.0 - 2.0 * t)


def blend(base, colour, alpha):
    """Paints colour over an RGB image with a per-pixel alpha."""
    alpha = np.asarray(alpha)[..., None]
    return base * (1.0 - alpha) + np.asarray(colour, dtype=np.float64) * alpha
