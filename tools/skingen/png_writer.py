"""Writes PNG files byte-for-byte reproducibly.

Pillow adds no time chunk on its own; we also pin the compression level and
pass no metadata, so identical pixels always give identical files.
"""
import numpy as np
from PIL import Image


def to_bytes(pixels):
    """Float image in 0..1 (H x W x C) to 8-bit with rounding, not truncation."""
    return np.clip(np.rint(np.asarray(pixels, dtype=np.float64) * 255.0), 0, 255).astype(np.uint8)


def write_png(path, pixels):
    """pixels: H x W x 3 (RGB) or H x W x 4 (RGBA) floats in 0..1, row 0 at the top."""
    data = to_bytes(pixels)
    mode = {3: "RGB", 4: "RGBA"}[data.shape[2]]
    Image.fromarray(data, mode).save(path, format="PNG", compress_level=9, optimize=False)
