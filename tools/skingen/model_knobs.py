"""Dial models: z points at the viewer, the indicator points along +y (the
dial's middle value, where it stands upright)."""
import math

from mesh_builder import Material, Mesh, add_prism, revolve, ring

SEGMENTS = 96


def _fluted(radius, depth, flutes):
    """Radius as a function of the angle: shallow grip flutes round the side."""
    return lambda a: radius - depth * max(0.0, math.cos(flutes * a)) ** 2


def _spun_dish(outer, inner, z_outer, z_inner, step=0.6, ripple=0.09):
    """Shallow dish with fine concentric ridges: the lathe marks of a spun cap."""
    count = int(round((outer - inner) / step))
    profile = []
    for i in range(count + 1):
        r = outer - (outer - inner) * i / count
        z = z_outer + (z_inner - z_outer) * i / count + (ripple if i % 2 else 0.0)
        profile.append((r, z))
    return profile


def _indicator(name, material, inner, outer, width, z0, z1):
    mesh = Mesh(name, material)
    h = width * 0.5
    add_prism(mesh, [(-h, inner), (h, inner), (h, outer), (-h, outer)], z0, z1)
    return mesh


def knob1():
    """Black fluted knob with a spun-aluminium cap and an amber line, 47 units across."""
    materials = [
        Material("knob_black", (0.07, 0.07, 0.078), shininess=24, strength=0.35),
        Material("knob_alu", (0.70, 0.71, 0.73), shininess=40, strength=0.9),
        Material("knob_line_notlit", (0.55, 0.29, 0.07)),
        Material("knob_mark_notlit", (0.48, 0.48, 0.46)),
    ]
    skirt = Mesh("skirt", "knob_black")
    revolve(skirt, [(23.5, 0.0), (23.5, 2.4)], SEGMENTS)
    revolve(skirt, [(23.5, 2.4), (22.7, 3.4)], SEGMENTS)
    revolve(skirt, [(22.7, 3.4), (20.4, 3.4)], SEGMENTS)

    body = Mesh("body", "knob_black")
    flutes = _fluted(20.0, 0.8, 16)
    body.add_strip([ring(flutes, 3.4, SEGMENTS * 2), ring(flutes, 13.2, SEGMENTS * 2)])
    revolve(body, [(20.0, 13.2), (18.9, 13.6)], SEGMENTS * 2)

    cap = Mesh("cap", "knob_alu")
    revolve(cap, [(18.9, 13.6), (18.9, 14.2)], SEGMENTS)
    revolve(cap, [(18.9, 14.2), (17.4, 15.5)], SEGMENTS)
    revolve(cap, _spun_dish(17.4, 3.0, 15.5, 15.1), SEGMENTS)
    cap.add_fan((0.0, 0.0, 15.08), ring(3.0, 15.1, SEGMENTS))

    line = _indicator("line", "knob_line_notlit", 3.5, 15.8, 2.4, 15.0, 15.6)
    mark = _indicator("mark", "knob_mark_notlit", 20.9, 22.9, 1.8, 3.3, 3.6)
    return materials, [skirt, body, cap, line, mark]


def knob2():
    """Larger smooth aluminium knob on a black skirt with a white pointer, 60 units across."""
    materials = [
        Material("knob_black", (0.07, 0.07, 0.078), shininess=24, strength=0.35),
        Material("knob_alu", (0.66, 0.67, 0.70), shininess=36, strength=0.85),
        Material("knob_line_notlit", (0.50, 0.50, 0.48)),
    ]
    skirt = Mesh("skirt", "knob_black")
    revolve(skirt, [(30.0, 0.0), (30.0, 2.0)], SEGMENTS)
    revolve(skirt, [(30.0, 2.0), (28.5, 4.0), (25.0, 5.2)], SEGMENTS)

    body = Mesh("body", "knob_alu")
    revolve(body, [(24.0, 5.0), (24.0, 15.0)], SEGMENTS)
    revolve(body, [(24.0, 15.0), (22.6, 17.0)], SEGMENTS)
    revolve(body, [(22.6, 17.0), (14.0, 17.3), (6.0, 17.4)], SEGMENTS)
    body.add_fan((0.0, 0.0, 17.4), ring(6.0, 17.4, SEGMENTS))

    line = _indicator("line", "knob_line_notlit", 8.0, 22.0, 2.0, 17.2, 17.9)
    skirt_line = _indicator("skirt_line", "knob_line_notlit", 25.5, 29.2, 2.0, 3.0, 5.4)
    return materials, [skirt, body, line, skirt_line]
