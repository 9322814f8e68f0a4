"""Renders the faceplate with every placed model at its layout position and
default value into a PNG, to judge the skin without the editor.

usage: preview.py SKIN_DIR OUT_PNG

The Info switch is shown off (the editor's default is on) so that one image
shows the button in both states.
"""
import os
import sys

import numpy as np
from PIL import Image

import layout as lay
from png_writer import write_png
from software_renderer import Renderer, light_vertices, lit_faceplate, rotation_x, rotation_z
from tds_reader import read_3ds

IDENTITY = np.eye(3)


def _dial(value):
    return rotation_z(135.0 - value * 270.0)


def _wheel(value):
    low, high = 1.0 / lay.EQ_GAIN_WHEEL.h, 1.0 - 1.0 / lay.EQ_GAIN_WHEEL.h
    position = low + (high - low) * value
    return rotation_x(-(position * 120.0 - 60.0))


def _slider_position(box, value, vertical):
    ox, oy, oz = box.scene_origin
    offset = ((box.h if vertical else box.w) - lay.HANDLE_LENGTH) * value + lay.HANDLE_LENGTH / 2.0
    cx, cy = box.scene_centre
    return (cx, oy + offset, oz) if vertical else (ox + offset, cy, oz)


def placements():
    """(model file, translation, rotation, shadow, mesh filter) for every placed control."""
    def centre(box, z=0.0):
        return (*box.scene_centre, z)

    def all_meshes(name):
        return True

    def button_set(on):
        return lambda name: ("on" if on else "off") in name

    return [
        ("knob1.3ds", centre(lay.SIZZLE_DIAL), _dial(0.0), True, all_meshes),
        ("knob1.3ds", centre(lay.SHAPE_DIAL), _dial(0.0), True, all_meshes),
        ("knob1.3ds", centre(lay.PUNCH_DIAL), _dial(0.5), True, all_meshes),
        ("handle.3ds", _slider_position(lay.GAIN_SLIDER, 0.5, True), rotation_z(90.0), False, all_meshes),
        ("handle.3ds", _slider_position(lay.WIDTH_SLIDER, 0.5, False), IDENTITY, False, all_meshes),
        ("button_r.3ds", centre(lay.ACTIVE_SWITCH), IDENTITY, True, button_set(True)),
        ("button_r.3ds", centre(lay.INFO_SWITCH), IDENTITY, True, button_set(False)),
        ("wheel.3ds", centre(lay.EQ_GAIN_WHEEL, lay.EQ_GAIN_WHEEL.z), _wheel(5.0 / 11.0), False, all_meshes),
    ]


def render_preview(skin_dir):
    texture = np.asarray(Image.open(os.path.join(skin_dir, "sf_background.png")).convert("RGB"),
                         dtype=np.float64) / 255.0
    renderer = Renderer(lit_faceplate(texture))
    models = {}
    for file_name, translation, rotation, shadow, wanted in placements():
        if file_name not in models:
            models[file_name] = read_3ds(os.path.join(skin_dir, file_name))
        meshes, materials = models[file_name]
        for mesh in meshes:
            if not wanted(mesh.name):
                continue
            positions = mesh.vertices @ rotation.T + np.asarray(translation)
            normals = mesh.normals @ rotation.T
            material = materials[mesh.material]
            colours = light_vertices(positions, normals, material.diffuse, material.strength,
                                     material.shininess, material.not_lit)
            renderer.draw_mesh(positions, mesh.faces, colours, material.faceted, material.opacity)
            if shadow:
                renderer.draw_shadow(positions, mesh.faces)
    return renderer.finish()


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    write_png(argv[2], render_preview(argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
