"""Round push button with a lamp, 20 units across.

The button control draws the meshes whose names contain "off" when it is off
and those containing "on" when it is on. Parts that show in both states carry
both words ("_onoff"); the lit lens ("_on" only) sits just above the dark one,
so it covers it when the button is on. The editor's Active switch flashes the
red of material 2, so the dark lens must be the third material.
"""
from mesh_builder import Material, Mesh, revolve, ring

SEGMENTS = 64


def _lens(name, material, lift):
    lens = Mesh(name, material)
    revolve(lens, [(6.9, 1.2 + lift), (6.9, 2.6 + lift)], SEGMENTS)
    revolve(lens, [(6.9, 2.6 + lift), (6.3, 3.8 + lift), (5.0, 4.7 + lift), (3.0, 5.2 + lift)], SEGMENTS)
    lens.add_fan((0.0, 0.0, 5.35 + lift), ring(3.0, 5.2 + lift, SEGMENTS))
    return lens


def button_r():
    materials = [
        Material("bezel_chrome", (0.66, 0.67, 0.70), shininess=60, strength=1.0),
        Material("collar_black", (0.03, 0.03, 0.035)),
        Material("lamp_glass", (0.20, 0.17, 0.15), shininess=70, strength=0.9),
        Material("lamp_lit_notlit", (0.62, 0.42, 0.12)),
    ]
    bezel = Mesh("bezel_onoff", "bezel_chrome")
    revolve(bezel, [(9.8, 0.0), (9.8, 1.6)], SEGMENTS)
    revolve(bezel, [(9.8, 1.6), (9.4, 2.3), (8.6, 2.6), (7.9, 2.3)], SEGMENTS)
    revolve(bezel, [(7.9, 2.3), (7.6, 1.2)], SEGMENTS)
    collar = Mesh("collar_onoff", "collar_black")
    revolve(collar, [(7.6, 1.2), (6.9, 1.2)], SEGMENTS)
    return materials, [bezel, collar, _lens("lamp_onoff", "lamp_glass", 0.0),
                       _lens("lamp_on", "lamp_lit_notlit", 0.3)]
