"""Triangle meshes built from rings, fans and quads.

Winding convention: every triangle is counter-clockwise seen from outside,
so the generated normals point outwards and back-face culling keeps the
visible side. Rings are listed counter-clockwise seen from +z (or from the
side they face) and a strip runs from the outer/lower ring to the inner/upper
one. Vertices are shared only inside one strip, so strip borders stay sharp
edges after the reader averages face normals per vertex.
"""
import math
from dataclasses import dataclass, field


@dataclass
class Material:
    name: str                 # the reader derives options from it: "faceted", "notlit"
    diffuse: tuple            # r, g, b in 0..1
    shininess: float = 0.0    # specular exponent as the fixed-function pipeline takes it
    strength: float = 0.0     # specular strength 0..1
    opacity: float = 1.0


@dataclass
class Mesh:
    name: str
    material: str
    vertices: list = field(default_factory=list)
    uvs: list = field(default_factory=list)
    faces: list = field(default_factory=list)

    def add_vertex(self, point, uv=(0.0, 0.0)):
        self.vertices.append(tuple(float(c) for c in point))
        self.uvs.append((float(uv[0]), float(uv[1])))
        return len(self.vertices) - 1

    def add_strip(self, rings, closed=True):
        """Smooth band through rings of equal point count."""
        count = len(rings[0])
        spans = count if closed else count - 1
        rows = []
        for j, ring in enumerate(rings):
            v = j / max(1, len(rings) - 1)
            rows.append([self.add_vertex(p, (i / count, v)) for i, p in enumerate(ring)])
        for lower, upper in zip(rows, rows[1:]):
            for i in range(spans):
                k = (i + 1) % count
                self.faces.append((lower[i], lower[k], upper[k]))
                self.faces.append((lower[i], upper[k], upper[i]))

    def add_fan(self, centre, ring):
        """Closed disc or dome cap: ring counter-clockwise seen from the side it faces."""
        c = self.add_vertex(centre, (0.5, 0.5))
        first = len(self.vertices)
        for i, p in enumerate(ring):
            self.add_vertex(p, (i / len(ring), 0.0))
        for i in range(len(ring)):
            self.faces.append((c, first + i, first + (i + 1) % len(ring)))

    def add_quad(self, a, b, c, d):
        """Flat quad with its own vertices, a-b-c-d counter-clockwise seen from outside."""
        ia, ib, ic, id_ = (self.add_vertex(p, uv) for p, uv in
                           zip((a, b, c, d), ((0, 0), (1, 0), (1, 1), (0, 1))))
        self.faces.append((ia, ib, ic))
        self.faces.append((ia, ic, id_))

    def transformed(self, rotation=((1, 0, 0), (0, 1, 0), (0, 0, 1)), offset=(0, 0, 0)):
        """Copy under a proper rotation (determinant +1, so the winding survives) and offset."""
        out = Mesh(self.name, self.material, uvs=list(self.uvs), faces=list(self.faces))
        for p in self.vertices:
            out.vertices.append(tuple(sum(rotation[r][k] * p[k] for k in range(3)) + offset[r]
                                      for r in range(3)))
        return out


def ring(radius, z, segments, phase=0.0):
    """Circle of points around the z axis; radius may be a function of the angle."""
    points = []
    for i in range(segments):
        a = phase + 2.0 * math.pi * i / segments
        r = radius(a) if callable(radius) else radius
        points.append((r * math.cos(a), r * math.sin(a), z))
    return points


def revolve(mesh, profile, segments, phase=0.0):
    """One smooth band from (radius, z) profile points, outer/lower point first."""
    mesh.add_strip([ring(r, z, segments, phase) for r, z in profile])


def rounded_rect(half_x, half_y, radius, z, corner_segments=6):
    """Counter-clockwise rounded rectangle outline around the z axis."""
    radius = min(radius, half_x, half_y)
    centres = ((half_x - radius, half_y - radius), (-half_x + radius, half_y - radius),
               (-half_x + radius, -half_y + radius), (half_x - radius, -half_y + radius))
    points = []
    for corner, (cx, cy) in enumerate(centres):
        for s in range(corner_segments + 1):
            a = math.pi * 0.5 * (corner + s / corner_segments)
            points.append((cx + radius * math.cos(a), cy + radius * math.sin(a), z))
    return points


def add_prism(mesh, outline, z0, z1):
    """Convex outline extruded from z0 to z1 with a flat top; either winding is accepted."""
    n = len(outline)
    doubled_area = sum(outline[i][0] * outline[(i + 1) % n][1] - outline[(i + 1) % n][0] * outline[i][1]
                       for i in range(n))
    if doubled_area < 0:
        outline = outline[::-1]
    for i in range(n):
        (ax, ay), (bx, by) = outline[i], outline[(i + 1) % n]
        mesh.add_quad((ax, ay, z0), (bx, by, z0), (bx, by, z1), (ax, ay, z1))
    cx = sum(p[0] for p in outline) / n
    cy = sum(p[1] for p in outline) / n
    mesh.add_fan((cx, cy, z1), [(x, y, z1) for x, y in outline])
