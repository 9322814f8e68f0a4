"""Signed distance fields and soft masks on a pixel grid (pixel centres at
i + 0.5), for drawing anti-aliased shapes with numpy."""
import numpy as np


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        ys, xs = np.mgrid[0:height, 0:width].astype(np.float64)
        self.x, self.y = xs + 0.5, ys + 0.5

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


def cover(sdf):
    """Anti-aliased coverage of the inside of a distance field."""
    return np.clip(0.5 - sdf, 0.0, 1.0)


def plateau(sdf, height, ramp):
    """Height field that rises smoothly over `ramp` pixels inside the shape's edge."""
    t = np.clip(-sdf / ramp + 0.5 / ramp, 0.0, 1.0)
    return height * t * t * (3.0 - 2.0 * t)


def blend(base, colour, alpha):
    """Paints colour over an RGB image with a per-pixel alpha."""
    alpha = np.asarray(alpha)[..., None]
    return base * (1.0 - alpha) + np.asarray(colour, dtype=np.float64) * alpha
