"""The editor's flat 2D geometry, reproduced for previews and checks: the
display quads in normalised device coordinates, the ribbon strips the
equaliser draws with, and its Catmull-Rom curve."""
import math

import layout as lay

W, H = lay.WIDTH, lay.HEIGHT


def ndc_box(box):
    """Corners (left, bottom, right, top) of a layout box in device coordinates."""
    x, y, _ = box.scene_origin
    left, bottom = x * 2.0 / W, y * 2.0 / H
    return left, bottom, left + box.w * 2.0 / W, bottom + box.h * 2.0 / H


def display_quad(box):
    """Bottom-left, bottom-right, top-left, top-right with texture (0,0) (1,0) (0,1) (1,1)."""
    left, bottom, right, top = ndc_box(box)
    return [(left, bottom), (right, bottom), (left, top), (right, top)], [(0, 0), (1, 0), (0, 1), (1, 1)]


def equaliser_inner():
    """x0, y0, width, height of the equaliser's drawing area in device coordinates."""
    x, y, _ = lay.EQUALISER.scene_origin
    return ((x + 8.0) * 2.0 / W, (y + 8.0) * 2.0 / H,
            (lay.EQUALISER.w - 14.0) * 2.0 / W, (lay.EQUALISER.h - 14.0) * 2.0 / H)


def equaliser_background_quad():
    """Bottom-left, top-left, bottom-right, top-right: the first texture
    coordinate runs bottom to top, the second left to right."""
    x0, y0, w, h = equaliser_inner()
    return ([(x0, y0), (x0, y0 + h), (x0 + w, y0), (x0 + w, y0 + h)],
            [(0, 0), (1, 0), (0, 1), (1, 1)])


def ribbon(points, line_width):
    """Triangle-strip vertices and texture coordinates of a ribbon round a polyline."""
    vertices, texcoords = [], []
    n = len(points)
    for i, (px, py) in enumerate(points):
        mx = my = 0.0
        if i < n - 1:
            dx, dy = points[i + 1][0] - px, points[i + 1][1] - py
            length = math.hypot(dx, dy) or 1.0
            mx, my = dy / length, -dx / length
        if i > 0:
            dx, dy = px - points[i - 1][0], py - points[i - 1][1]
            length = math.hypot(dx, dy) or 1.0
            mx, my = mx + dy / length, my - dx / length
            norm = math.hypot(mx, my) or 1.0
            mx, my = mx / norm, my / norm
        offset = line_width * 0.001
        vertices += [(px - mx * offset, py - my * offset), (px + mx * offset, py + my * offset)]
        texcoords += [(i, 0), (i, 1)]
    return vertices, texcoords


def catmull_rom(ys, i, t):
    at = lambda k: ys[min(max(k, 0), len(ys) - 1)]
    p0, p1, p2, p3 = at(i - 2), at(i - 1), at(i), at(i + 1)
    value = (p1 + t * (0.5 * p2 - 0.5 * p0) + t * t * (p0 - 2.5 * p1 + 2 * p2 - 0.5 * p3)
             + t ** 3 * (1.5 * p1 - 0.5 * p0 - 1.5 * p2 + 0.5 * p3))
    return min(max(value, 0.0), 1.0)


def equaliser_curve(points):
    """Device-coordinate vertices of the equaliser curve through (x, y) points."""
    x0, y0, w, h = equaliser_inner()
    points = sorted(points, key=lambda p: p[0])
    ys = [p[1] for p in points]
    vertices = []
    a = points[0][0]
    for i in range(1, len(points)):
        b = points[i][0]
        c = a
        while a < b + 1e-7 and c < b + 1e-7:
            vertices.append((x0 + c * w, y0 + catmull_rom(ys, i, (c - a) / (b - a + 1e-7)) * h))
            c += 0.0075
        a = b
    vertices.append((x0 + a * w, y0 + catmull_rom(ys, len(points) - 1, 1.0) * h))
    return vertices[:200]


def guide_lines(eq_gain):
    """Pairs of end points of the equaliser's dB guide lines for an Eq.gain value."""
    x0, y0, w, h = equaliser_inner()
    half, db_range = h / 2.0, 22.0 * eq_gain + 2.0
    lines, u = [], 2.0
    while u <= 24.0:
        offset = half * u / db_range
        if offset <= half:
            for y in (y0 + half + offset, y0 + half - offset):
                lines.append([(x0, y), (x0 + w, y)])
        u += 3.6666667
    return lines


def centred_quad(cx, cy, hx, hy, s0, t0, s1, t1):
    return ([(cx - hx, cy - hy), (cx - hx, cy + hy), (cx + hx, cy - hy), (cx + hx, cy + hy)],
            [(s0, t0), (s0, t1), (s1, t0), (s1, t1)])
