"""Serialises meshes and materials as a 3DS file.

Only the chunks the editor's model reader understands carry data: materials
(name, diffuse colour, shininess, shininess strength, transparency) and
objects (vertices, texture coordinates, faces, face material). The few
standard header chunks it skips are kept so other 3DS tools open the files too.
Materials are written before the objects because the reader resolves a face
material name against the materials it has already seen.
"""
import struct

MAIN, VERSION, EDITOR, MESH_VERSION, MASTER_SCALE = 0x4D4D, 0x0002, 0x3D3D, 0x3D3E, 0x0100
MATERIAL, MAT_NAME, MAT_DIFFUSE, MAT_SHININESS, MAT_STRENGTH, MAT_TRANSPARENCY = (
    0xAFFF, 0xA000, 0xA020, 0xA040, 0xA041, 0xA050)
COLOR_24, PERCENT_INT = 0x0011, 0x0030
OBJECT, TRIMESH, VERTICES, FACES, FACE_MATERIAL, TEXCOORDS = (
    0x4000, 0x4100, 0x4110, 0x4120, 0x4130, 0x4140)

MAX_OBJECT_NAME = 19      # the reader keeps 20 bytes including the NUL
MAX_COUNT = 0xFFFF        # counts are 16-bit


def _chunk(chunk_id, payload=b"", *children):
    body = payload + b"".join(children)
    return struct.pack("<HI", chunk_id, 6 + len(body)) + body


def _cstring(text):
    return text.encode("ascii") + b"\0"


def _percent(chunk_id, value):
    return _chunk(chunk_id, b"", _chunk(PERCENT_INT, struct.pack("<H", int(round(value)))))


def _material_chunk(material):
    r, g, b = (int(round(max(0.0, min(1.0, c)) * 255)) for c in material.diffuse)
    return _chunk(
        MATERIAL, b"",
        _chunk(MAT_NAME, _cstring(material.name)),
        _chunk(MAT_DIFFUSE, b"", _chunk(COLOR_24, bytes((r, g, b)))),
        _percent(MAT_SHININESS, material.shininess),
        _percent(MAT_STRENGTH, material.strength * 100.0),
        _percent(MAT_TRANSPARENCY, (1.0 - material.opacity) * 100.0),
    )


def _object_chunk(mesh):
    if not 0 < len(mesh.name) <= MAX_OBJECT_NAME:
        raise ValueError(f"mesh name {mesh.name!r} must have 1..{MAX_OBJECT_NAME} characters")
    if not (0 < len(mesh.vertices) <= MAX_COUNT and 0 < len(mesh.faces) <= MAX_COUNT):
        raise ValueError(f"mesh {mesh.name!r} has {len(mesh.vertices)} vertices, {len(mesh.faces)} faces")
    vertices = struct.pack("<H", len(mesh.vertices)) + b"".join(
        struct.pack("<3f", *v) for v in mesh.vertices)
    # The reader flips v on load (v' = 1 - v), as 3DS stores v upwards.
    texcoords = struct.pack("<H", len(mesh.uvs)) + b"".join(
        struct.pack("<2f", u, 1.0 - v) for u, v in mesh.uvs)
    faces = struct.pack("<H", len(mesh.faces)) + b"".join(
        struct.pack("<4H", a, b, c, 0) for a, b, c in mesh.faces)
    face_material = _cstring(mesh.material) + struct.pack("<H", len(mesh.faces)) + b"".join(
        struct.pack("<H", i) for i in range(len(mesh.faces)))
    return _chunk(
        OBJECT, _cstring(mesh.name),
        _chunk(TRIMESH, b"",
               _chunk(VERTICES, vertices),
               _chunk(TEXCOORDS, texcoords),
               _chunk(FACES, faces, _chunk(FACE_MATERIAL, face_material))),
    )


def encode_3ds(materials, meshes):
    names = [m.name for m in materials]
    for mesh in meshes:
        if mesh.material not in names:
            raise ValueError(f"mesh {mesh.name!r} uses unknown material {mesh.material!r}")
    editor = _chunk(
        EDITOR, b"",
        _chunk(MESH_VERSION, struct.pack("<I", 3)),
        *(_material_chunk(m) for m in materials),
        _chunk(MASTER_SCALE, struct.pack("<f", 1.0)),
        *(_object_chunk(m) for m in meshes),
    )
    return _chunk(MAIN, b"", _chunk(VERSION, struct.pack("<I", 3)), editor)


def write_3ds(path, materials, meshes):
    with open(path, "wb") as f:
        f.write(encode_3ds(materials, meshes))
