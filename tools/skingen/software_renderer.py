"""A small software renderer that imitates the editor's fixed-function
drawing closely enough to judge the skin: the editor's camera (one unit per
pixel at depth 0), its two lights, per-vertex lighting with colour material,
flat shading for faceted materials, back-face culling, a depth buffer in
which the faceplate sits at depth -2, and projected stencil shadows that
darken the faceplate by a quarter."""
import math

import numpy as np

FOV_HALF = 0.25045475
LIGHTS = (  # position, diffuse, specular
    (np.array([-800.0, 800.0, 1200.0]), 1.0, 1.0),
    (np.array([1200.0, -600.0, 480.0]), 0.08, 1.0),
)
GLOBAL_AMBIENT = 0.2
SHADOW_LIGHT = np.array([-800.0, 800.0, 1200.0 * 0.71428573])
SHADOW_PLANE_Z = 0.2
SHADOW_ALPHA = 0.25
FACEPLATE_Z = -2.0


def rotation_z(degrees):
    a = math.radians(degrees)
    return np.array([[math.cos(a), -math.sin(a), 0], [math.sin(a), math.cos(a), 0], [0, 0, 1]])


def rotation_x(degrees):
    a = math.radians(degrees)
    return np.array([[1, 0, 0], [0, math.cos(a), -math.sin(a)], [0, math.sin(a), math.cos(a)]])


def light_vertices(positions, normals, colour, strength, shininess, not_lit):
    """Fixed-function lighting per vertex; colour material feeds ambient and diffuse."""
    colour = np.asarray(colour)
    result = np.tile(colour * GLOBAL_AMBIENT + (colour if not_lit else 0.0), (len(positions), 1))
    for position, diffuse, specular in LIGHTS:
        to_light = position - positions
        to_light /= np.linalg.norm(to_light, axis=1, keepdims=True)
        n_dot_l = np.maximum(0.0, (normals * to_light).sum(axis=1))
        result += diffuse * n_dot_l[:, None] * colour
        if strength > 0:
            half = to_light + np.array([0.0, 0.0, 1.0])
            half /= np.linalg.norm(half, axis=1, keepdims=True)
            n_dot_h = np.maximum(0.0, (normals * half).sum(axis=1))
            lit = (n_dot_l > 0) * n_dot_h ** shininess if shininess > 0 else (n_dot_l > 0) * 1.0
            result += (specular * strength * lit)[:, None]
    return np.clip(result, 0.0, 1.0)


class Renderer:
    def __init__(self, background_rgb, supersample=2):
        self.s = supersample
        h, w, _ = background_rgb.shape
        self.width, self.height = w, h
        self.z0 = (h / 2.0) / math.tan(FOV_HALF)
        big = np.repeat(np.repeat(background_rgb, supersample, 0), supersample, 1)
        self.colour = big.astype(np.float64).copy()
        self.depth = np.full(big.shape[:2], FACEPLATE_Z)
        self.is_faceplate = np.ones(big.shape[:2], dtype=bool)
        self.shadow = np.zeros(big.shape[:2], dtype=bool)

    def project(self, points):
        scale = self.z0 / (self.z0 - points[:, 2])
        x = (self.width / 2.0 + points[:, 0] * scale) * self.s
        y = (self.height / 2.0 - points[:, 1] * scale) * self.s
        return np.stack([x, y], axis=1)

    def _cover(self, screen, depth):
        """Pixels of a front-facing triangle nearer than the depth buffer:
        (region, mask, depth, barycentric weights), or None."""
        (x0, y0), (x1, y1), (x2, y2) = screen
        area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0)
        if area >= 0:               # y grows downwards on screen, so front faces have negative area
            return None
        left = max(int(math.floor(min(x0, x1, x2))), 0)
        right = min(int(math.ceil(max(x0, x1, x2))), self.colour.shape[1])
        top = max(int(math.floor(min(y0, y1, y2))), 0)
        bottom = min(int(math.ceil(max(y0, y1, y2))), self.colour.shape[0])
        if left >= right or top >= bottom:
            return None
        px, py = np.meshgrid(np.arange(left, right) + 0.5, np.arange(top, bottom) + 0.5)
        w0 = ((x1 - px) * (y2 - py) - (x2 - px) * (y1 - py)) / area
        w1 = ((x2 - px) * (y0 - py) - (x0 - px) * (y2 - py)) / area
        w2 = 1.0 - w0 - w1
        z = w0 * depth[0] + w1 * depth[1] + w2 * depth[2]
        region = (slice(top, bottom), slice(left, right))
        visible = (w0 >= 0) & (w1 >= 0) & (w2 >= 0) & (z > self.depth[region])
        return (region, visible, z, (w0, w1, w2)) if visible.any() else None

    def draw_mesh(self, positions, faces, vertex_colours, flat, opacity=1.0):
        """Gouraud-shaded triangles (flat: the last vertex's colour, as GL's provoking vertex)."""
        screen = self.project(positions)
        for tri in faces:
            hit = self._cover(screen[tri], positions[tri, 2])
            if hit is None:
                continue
            region, visible, z, weights = hit
            if flat:
                colour = np.broadcast_to(vertex_colours[tri[2]], z.shape + (3,))
            else:
                colour = sum(w[..., None] * vertex_colours[i] for w, i in zip(weights, tri))
            target = self.colour[region]
            target[visible] = target[visible] * (1.0 - opacity) + colour[visible] * opacity
            self.depth[region][visible] = z[visible]
            self.is_faceplate[region][visible] = False

    def draw_shadow(self, positions, faces):
        """Projects the mesh from the shadow light onto the shadow plane and marks its cover."""
        t = (SHADOW_LIGHT[2] - SHADOW_PLANE_Z) / (SHADOW_LIGHT[2] - positions[:, 2])
        screen = self.project(SHADOW_LIGHT + (positions - SHADOW_LIGHT) * t[:, None])
        for tri in faces:
            a, b, c = screen[tri]
            if (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]) > 0:
                tri = tri[::-1]          # a shadow covers whichever way its triangle faces
            hit = self._cover(screen[tri], np.full(3, SHADOW_PLANE_Z))
            if hit is not None:
                region, visible, _, _ = hit
                self.shadow[region] |= visible

    def finish(self):
        """Darkens shadowed faceplate pixels and averages the supersamples."""
        shaded = self.colour.copy()
        mask = self.shadow & self.is_faceplate
        shaded[mask] *= 1.0 - SHADOW_ALPHA
        h, w = self.height, self.width
        return shaded.reshape(h, self.s, w, self.s, 3).mean(axis=(1, 3))


def lit_faceplate(texture_rgb):
    """The editor lights the textured background per vertex of a 9 x 9 grid."""
    h, w, _ = texture_rgb.shape
    gx = np.linspace(-(w + 1) / 2.0, (w + 1) / 2.0, 9)
    gy = np.linspace((h + 1) / 2.0, -(h + 1) / 2.0, 9)
    grid = np.array([[x, y, FACEPLATE_Z] for y in gy for x in gx])
    normals = np.tile([0.0, 0.0, 1.0], (len(grid), 1))
    light = light_vertices(grid, normals, (1.0, 1.0, 1.0), 0.0, 0.0, False)[:, 0].reshape(9, 9)
    ys, xs = np.linspace(0, 8, h), np.linspace(0, 8, w)
    rows = np.array([np.interp(xs, np.arange(9), light[i]) for i in range(9)])
    factor = np.array([np.interp(ys, np.arange(9), rows[:, j]) for j in range(w)]).T
    return texture_rgb * factor[..., None]
