"""Reads a 3DS file the way the editor does: a flat walk over the chunks,
entering containers, taking vertices, faces, texture coordinates, face
materials and material colours, skipping everything else; then per-vertex
normals averaged from unit face normals."""
import struct
from dataclasses import dataclass, field

import numpy as np

ENTERED = {0x4D4D, 0x3D3D, 0x3F80, 0x4100}


@dataclass
class ReadMaterial:
    name: str = ""
    diffuse: tuple = (0.0, 0.0, 0.0)
    opacity: float = 1.0
    shininess: float = 0.0
    strength: float = 0.0
    not_lit: bool = False
    faceted: bool = False


@dataclass
class ReadMesh:
    name: str
    material: int = -1
    vertices: np.ndarray = field(default_factory=lambda: np.zeros((0, 3)))
    faces: np.ndarray = field(default_factory=lambda: np.zeros((0, 3), dtype=np.int64))
    normals: np.ndarray = None


def _cstring(data, pos, limit=None):
    end = data.index(b"\0", pos)
    text = data[pos:end]
    return (text[:limit - 1] if limit else text).decode("latin-1"), end + 1


def read_3ds(path):
    data = open(path, "rb").read()
    meshes, materials = [], []
    pos = 0
    while pos + 6 <= len(data):
        cid, length = struct.unpack_from("<HI", data, pos)
        body = pos + 6
        pos = body
        if cid in ENTERED:
            continue
        if cid == 0x4000:
            name, pos = _cstring(data, body, 20)
            meshes.append(ReadMesh(name))
        elif cid == 0x4110:
            n = struct.unpack_from("<H", data, body)[0]
            meshes[-1].vertices = np.array(struct.unpack_from(f"<{3 * n}f", data, body + 2)).reshape(n, 3)
            pos = body + 2 + 12 * n
        elif cid == 0x4120:
            n = struct.unpack_from("<H", data, body)[0]
            raw = np.array(struct.unpack_from(f"<{4 * n}H", data, body + 2)).reshape(n, 4)
            meshes[-1].faces = raw[:, :3].astype(np.int64)
            pos = body + 2 + 8 * n
        elif cid == 0x4130:
            name, p = _cstring(data, body)
            n = struct.unpack_from("<H", data, p)[0]
            matches = [i for i, m in enumerate(materials) if m.name == name]
            if matches:
                meshes[-1].material = matches[-1]
            pos = p + 2 + 2 * n
        elif cid == 0x4140:
            n = struct.unpack_from("<H", data, body)[0]
            pos = body + 2 + 8 * n
        elif cid == 0xAFFF:
            material = ReadMaterial()
            materials.append(material)
            sub, sub_len = struct.unpack_from("<HI", data, body)
            if sub == 0xA000:
                material.name, pos = _cstring(data, body + 6)
                lowered = material.name.lower()
                material.faceted = "faceted" in lowered
                material.not_lit = "notlit" in lowered
            else:
                pos = body + sub_len
        elif cid == 0xA020:
            materials[-1].diffuse = tuple(b / 255.0 for b in data[body + 6:body + 9])
            pos = body + 9
        elif cid in (0xA040, 0xA041, 0xA050):
            value = struct.unpack_from("<h" if cid == 0xA050 else "<H", data, body + 6)[0]
            if cid == 0xA040:
                materials[-1].shininess = float(value)
            elif cid == 0xA041:
                materials[-1].strength = value * 0.01
            else:
                materials[-1].opacity = (100 - value) * 0.01
            pos = body + 8
        else:
            pos = body + length - 6
    for mesh in meshes:
        mesh.normals = vertex_normals(mesh.vertices, mesh.faces)
    return meshes, materials


def vertex_normals(vertices, faces):
    p0, p1, p2 = (vertices[faces[:, k]] for k in range(3))
    n = np.cross(p0 - p1, p0 - p2)
    n /= np.sqrt((n * n).sum(axis=1, keepdims=True) + 1e-30)
    sums = np.zeros_like(vertices)
    for k in range(3):
        np.add.at(sums, faces[:, k], n)
    return sums / np.sqrt((sums * sums).sum(axis=1, keepdims=True) + 1e-30)
