"""Writes every 3DS model the editor loads."""
import os

from model_button import button_r
from model_knobs import knob1, knob2
from model_logo import logo
from model_slider_parts import handle, slider_medium, slider_small
from model_wheel import wheel
from tds_writer import write_3ds

MODELS = {
    "knob1.3ds": knob1,
    "knob2.3ds": knob2,
    "handle.3ds": handle,
    "slider_small.3ds": slider_small,
    "slider_medium.3ds": slider_medium,
    "wheel.3ds": wheel,
    "logo.3ds": logo,
    "button_r.3ds": button_r,
}


def write_models(out_dir):
    for file_name, build in MODELS.items():
        materials, meshes = build()
        write_3ds(os.path.join(out_dir, file_name), materials, meshes)
    return sorted(MODELS)
