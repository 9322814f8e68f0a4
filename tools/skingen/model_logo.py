"""Brand badge: a raised chrome V on a dark disc with a chrome rim, 40 units across."""
from mesh_builder import Material, Mesh, add_prism, revolve, ring

SEGMENTS = 72


def logo():
    materials = [
        Material("badge_dark", (0.06, 0.06, 0.07), shininess=20, strength=0.3),
        Material("badge_chrome", (0.70, 0.71, 0.74), shininess=60, strength=1.0),
    ]
    rim = Mesh("rim", "badge_chrome")
    revolve(rim, [(20.0, 0.0), (20.0, 1.2), (19.2, 2.2), (18.0, 2.2), (17.4, 1.4)], SEGMENTS)
    plate = Mesh("plate", "badge_dark")
    plate.add_fan((0.0, 0.0, 1.4), ring(17.4, 1.4, SEGMENTS))
    mark = Mesh("mark", "badge_chrome")
    # Two slanted bars meeting at the bottom point form the V.
    add_prism(mark, [(-11.0, 8.0), (-6.4, 8.0), (1.3, -10.0), (-1.3, -10.0)], 1.4, 3.4)
    add_prism(mark, [(6.4, 8.0), (11.0, 8.0), (1.3, -10.0), (-1.3, -10.0)], 1.4, 3.4)
    return materials, [rim, plate, mark]
