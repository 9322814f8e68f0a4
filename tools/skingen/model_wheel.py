"""Ribbed thumb wheel, 24 units wide along its x axis and 112 across.

The editor places the axis 32 units behind the faceplate, so only the top
of the tread shows through the panel; the ribs and the amber marker make
the tilt visible. Built round z, then turned so the axis lies along x.
"""
import math

from mesh_builder import Material, Mesh

RADIUS, GROOVE, HALF_WIDTH, RIBS = 56.0, 54.4, 12.0, 72
AXIS_TO_X = ((0, 0, 1), (1, 0, 0), (0, 1, 0))   # lathe (x, y, z) -> wheel (z, x, y)
MARKER_ANGLE = math.pi * 0.5                      # faces the viewer at mid travel


def _rib_outline():
    """(angle, radius) corners of the ribbed rim, one rib centred on the marker angle."""
    period = 2.0 * math.pi / RIBS
    outline = []
    for k in range(RIBS):
        centre = MARKER_ANGLE + k * period
        outline += [(centre - 0.32 * period, GROOVE), (centre - 0.2 * period, RADIUS),
                    (centre + 0.2 * period, RADIUS), (centre + 0.32 * period, GROOVE)]
    return outline


def _point(angle, radius, h):
    return (radius * math.cos(angle), radius * math.sin(angle), h)


def wheel():
    materials = [
        Material("wheel_rubber_faceted", (0.14, 0.14, 0.15), shininess=12, strength=0.3),
        Material("wheel_side", (0.10, 0.10, 0.11), shininess=20, strength=0.3),
        Material("wheel_mark_notlit", (0.55, 0.29, 0.07)),
    ]
    tread, marker = Mesh("tread", materials[0].name), Mesh("marker", materials[2].name)
    outline = _rib_outline()
    for i, (a0, r0) in enumerate(outline):
        a1, r1 = outline[(i + 1) % len(outline)]
        target = marker if i == 1 else tread         # the first rib's top carries the marker
        target.add_quad(_point(a0, r0, -HALF_WIDTH), _point(a1, r1, -HALF_WIDTH),
                        _point(a1, r1, HALF_WIDTH), _point(a0, r0, HALF_WIDTH))
    sides = Mesh("sides", materials[1].name)
    rim = [_point(a, r, HALF_WIDTH) for a, r in outline]
    sides.add_fan((0.0, 0.0, HALF_WIDTH), rim)
    back = [_point(a, r, -HALF_WIDTH) for a, r in reversed(outline)]
    sides.add_fan((0.0, 0.0, -HALF_WIDTH), back)
    meshes = [m.transformed(AXIS_TO_X) for m in (tread, marker, sides)]
    return materials, meshes
