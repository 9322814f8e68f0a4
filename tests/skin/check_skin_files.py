#!/usr/bin/python3
"""Checks a generated skin folder on its own, without the editor's readers.

usage: check_skin_files.py SKIN_DIR

- every file the editor registers exists; PNG files are well formed, 8-bit
  grey, RGB or RGBA, carry no time chunk, and have their fixed sizes;
- every 3DS file's chunk tree nests within its bounds, the reader's flat
  walk finds non-empty meshes with valid indices, short names and known
  materials, the model fits its control's box, and its faces point outwards
  (seen from the viewer and from the sides, the nearest surface faces the eye);
- the button's "on" and "off" mesh sets draw a lit and an unlit lamp and
  material 2 is the unlit lamp;
- every .fnt file has the reader's exact line formats, a glyph for every
  printable ASCII character inside its page, and a page image of the size it
  names; the help font sets every help text in at most 20 lines of 292 pixels;
- every shader pair declares exactly the uniforms the editor sets;
- the double-density set in 2x/ doubles its design-size files: each image is
  exactly twice as wide and high, and each font's line height, base, glyph
  boxes, offsets, advances and kernings are exactly twice the design values.
"""
import json
import os
import re
import struct
import sys
import zlib

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
CONTAINERS = {0x4D4D, 0x3D3D, 0x4000, 0x4100, 0x4120, 0xAFFF, 0xA020, 0xA040, 0xA041, 0xA050, 0xA200}

# Largest extent of each model in scene units: (|x|, |y|, lowest z, highest z).
MODEL_LIMITS = {
    "knob1.3ds": (32.0, 32.0, 0.0, 30.0),
    "knob2.3ds": (32.0, 32.0, 0.0, 30.0),
    "handle.3ds": (12.5, 16.0, 0.0, 20.0),
    "slider_small.3ds": (160.0, 20.0, -5.0, 5.0),
    "slider_medium.3ds": (160.0, 20.0, -5.0, 5.0),
    "wheel.3ds": (12.0, 56.0, -56.0, 56.0),
    "logo.3ds": (32.0, 32.0, 0.0, 10.0),
    "button_r.3ds": (10.0, 10.0, 0.0, 10.0),
}
SHADER_UNIFORMS = {
    "linedraw": {"resolution"},
    "display": {"stereo", "clipped", "ticker", "zed"},
    "widthline": {"width"},
    "curve": {"parShape"},
    "2d_texture": {"texture0"},
    "lineequaliser": set(),
    "fft_back": {"texture0"},
    "scope": set(),
}
FNT_COMMON = re.compile(r"common lineHeight=(-?\d+) base=(-?\d+) scaleW=(\d+) scaleH=(\d+) pages=(\d+)")
FNT_CHAR = re.compile(r"char id=(\d+) +x=(\d+) +y=(\d+) +width=(\d+) +height=(\d+) +xoffset=(-?\d+)"
                      r" +yoffset=(-?\d+) +xadvance=(-?\d+) +page=(\d+) +chnl=(\d+)")
FNT_KERNING = re.compile(r"^kerning first=(\d+) +second=(\d+) +amount=(-?\d+)$", re.M)
DENSE_FOLDER = "2x/"
HELP_WIDTH, HELP_LINE_STEP, HELP_MAX_LINES = 292, 15, 20


class Failures(list):
    def check(self, condition, message):
        if not condition:
            self.append(message)
        return condition


def expected_files():
    entries = []
    for line in open(os.path.join(HERE, "expected_skin_files.txt")):
        line = line.split("#")[0].split()
        if line:
            size = tuple(int(v) for v in line[1].split("x")) if len(line) > 1 else None
            entries.append((line[0], size))
    return entries


def read_png(path, failures):
    """Returns (width, height, colour type) after checking the chunk structure."""
    data = open(path, "rb").read()
    name = os.path.basename(path)
    if not failures.check(data.startswith(PNG_SIGNATURE), f"{name}: not a PNG"):
        return None
    pos, chunks, header = 8, [], None
    while pos + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack_from(">I", data, pos + 8 + length)[0]
        failures.check(zlib.crc32(kind + body) == crc, f"{name}: bad CRC in {kind!r}")
        chunks.append(kind)
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        pos += 12 + length
    failures.check(chunks[:1] == [b"IHDR"] and chunks[-1:] == [b"IEND"], f"{name}: bad chunk order")
    failures.check(b"tIME" not in chunks, f"{name}: carries a time chunk")
    width, height, depth, colour, _, _, interlace = header
    failures.check(depth == 8, f"{name}: bit depth {depth}")
    failures.check(colour in (0, 2, 6), f"{name}: colour type {colour} has no GL format in the editor")
    failures.check(interlace == 0, f"{name}: interlaced")
    return width, height, colour


# ---- 3DS ---------------------------------------------------------------------------------------

def check_chunk_tree(data, start, end, failures, name):
    """Children of container chunks must tile their parent exactly."""
    pos = start
    while pos < end:
        if not failures.check(pos + 6 <= end, f"{name}: truncated chunk header at {pos}"):
            return
        cid, length = struct.unpack_from("<HI", data, pos)
        if not failures.check(6 <= length <= end - pos, f"{name}: chunk {cid:04x} at {pos} overruns its parent"):
            return
        if cid in CONTAINERS:
            body = pos + 6
            if cid == 0x4000:           # the object name comes before the sub-chunks
                body = data.index(b"\0", body) + 1
            elif cid == 0x4120:         # so do the faces
                body += 2 + 8 * struct.unpack_from("<H", data, body)[0]
            check_chunk_tree(data, body, pos + length, failures, name)
        pos += length


def walk_3ds(data):
    """The editor's flat walk: meshes (name, material, vertices, faces, uv count) and materials."""
    meshes, materials, pos = [], [], 0
    while pos + 6 <= len(data):
        cid, length = struct.unpack_from("<HI", data, pos)
        body, pos = pos + 6, pos + 6
        if cid in (0x4D4D, 0x3D3D, 0x3F80, 0x4100):
            continue
        if cid == 0x4000:
            end = data.index(b"\0", body)
            meshes.append({"name": data[body:end].decode("latin-1"), "material": -1,
                           "vertices": np.zeros((0, 3)), "faces": np.zeros((0, 3), int), "uvs": 0})
            pos = end + 1
        elif cid == 0x4110:
            n = struct.unpack_from("<H", data, body)[0]
            meshes[-1]["vertices"] = np.array(struct.unpack_from(f"<{3 * n}f", data, body + 2)).reshape(n, 3)
            pos = body + 2 + 12 * n
        elif cid == 0x4120:
            n = struct.unpack_from("<H", data, body)[0]
            meshes[-1]["faces"] = np.array(struct.unpack_from(f"<{4 * n}H", data, body + 2)).reshape(n, 4)[:, :3]
            pos = body + 2 + 8 * n
        elif cid == 0x4130:
            end = data.index(b"\0", body)
            wanted = data[body:end].decode("latin-1")
            found = [i for i, m in enumerate(materials) if m["name"] == wanted]
            if found:
                meshes[-1]["material"] = found[-1]
            pos = end + 3 + 2 * struct.unpack_from("<H", data, end + 1)[0]
        elif cid == 0x4140:
            meshes[-1]["uvs"] = struct.unpack_from("<H", data, body)[0]
            pos = body + 2 + 8 * meshes[-1]["uvs"]
        elif cid == 0xAFFF:
            sub, sub_length = struct.unpack_from("<HI", data, body)
            material = {"name": "", "diffuse": None}
            materials.append(material)
            if sub == 0xA000:
                end = data.index(b"\0", body + 6)
                material["name"] = data[body + 6:end].decode("latin-1")
                pos = end + 1
            else:
                pos = body + sub_length
        elif cid == 0xA020:
            materials[-1]["diffuse"] = tuple(data[body + 6:body + 9])
            pos = body + 9
        elif cid in (0xA040, 0xA041, 0xA050):
            pos = body + 8
        else:
            pos = body + length - 6
    return meshes, materials


def face_normals(vertices, faces):
    p0, p1, p2 = (vertices[faces[:, k]] for k in range(3))
    n = np.cross(p1 - p0, p2 - p0)
    return n / (np.linalg.norm(n, axis=1, keepdims=True) + 1e-30)


def visible_front_fraction(vertices, faces, axis, sign, samples=72):
    """Looks along -sign*axis; returns the share of sampled pixels whose nearest face faces the eye."""
    depth_axis = axis
    u_axis, v_axis = [a for a in range(3) if a != axis]
    normals = face_normals(vertices, faces)
    lo, hi = vertices.min(axis=0), vertices.max(axis=0)
    us = np.linspace(lo[u_axis], hi[u_axis], samples)
    vs = np.linspace(lo[v_axis], hi[v_axis], samples)
    best = np.full((samples, samples), -np.inf)
    facing = np.zeros((samples, samples), dtype=bool)
    for f, n in zip(faces, normals):
        p = vertices[f]
        a, b, c = p[:, u_axis], p[:, v_axis], p[:, depth_axis] * sign
        iu = np.nonzero((us >= a.min()) & (us <= a.max()))[0]
        iv = np.nonzero((vs >= b.min()) & (vs <= b.max()))[0]
        if len(iu) == 0 or len(iv) == 0:
            continue
        gu, gv = np.meshgrid(us[iu], vs[iv], indexing="ij")
        area = (a[1] - a[0]) * (b[2] - b[0]) - (a[2] - a[0]) * (b[1] - b[0])
        if abs(area) < 1e-12:
            continue
        w1 = ((gu - a[0]) * (b[2] - b[0]) - (a[2] - a[0]) * (gv - b[0])) / area
        w2 = ((a[1] - a[0]) * (gv - b[0]) - (gu - a[0]) * (b[1] - b[0])) / area
        w0 = 1.0 - w1 - w2
        inside = (w0 >= -1e-9) & (w1 >= -1e-9) & (w2 >= -1e-9)
        z = w0 * c[0] + w1 * c[1] + w2 * c[2]
        region = np.ix_(iu, iv)
        nearer = inside & (z > best[region] + 1e-6)
        best[region] = np.where(nearer, z, best[region])
        facing[region] = np.where(nearer, n[depth_axis] * sign > 0.0, facing[region])
    hit = np.isfinite(best)
    return facing[hit].mean() if hit.any() else 0.0


def check_model(name, path, failures):
    data = open(path, "rb").read()
    cid, length = struct.unpack_from("<HI", data, 0)
    failures.check(cid == 0x4D4D and length == len(data), f"{name}: main chunk does not span the file")
    check_chunk_tree(data, 0, len(data), failures, name)
    meshes, materials = walk_3ds(data)
    if not failures.check(meshes, f"{name}: no meshes"):
        return meshes, materials
    for mesh in meshes:
        label = f"{name}/{mesh['name']}"
        failures.check(0 < len(mesh["name"]) <= 19, f"{label}: name longer than 19 characters")
        failures.check(len(mesh["vertices"]) and len(mesh["faces"]), f"{label}: empty mesh")
        failures.check(mesh["faces"].size == 0 or mesh["faces"].max() < len(mesh["vertices"]),
                       f"{label}: face index out of range")
        failures.check(mesh["uvs"] == len(mesh["vertices"]), f"{label}: texture coordinate count")
        failures.check(mesh["material"] >= 0, f"{label}: no known material")
        failures.check(np.isfinite(mesh["vertices"]).all(), f"{label}: non-finite vertex")
    for material in materials:
        failures.check(material["name"] and material["diffuse"] is not None,
                       f"{name}: material without name or colour")
    vertices = np.concatenate([m["vertices"] for m in meshes])
    faces = np.concatenate([m["faces"] + sum(len(k["vertices"]) for k in meshes[:i])
                            for i, m in enumerate(meshes)])
    limit_x, limit_y, low_z, high_z = MODEL_LIMITS[name]
    lo, hi = vertices.min(axis=0), vertices.max(axis=0)
    failures.check(max(-lo[0], hi[0]) <= limit_x + 1e-3 and max(-lo[1], hi[1]) <= limit_y + 1e-3
                   and lo[2] >= low_z - 1e-3 and hi[2] <= high_z + 1e-3,
                   f"{name}: bounds {lo.round(2)}..{hi.round(2)} exceed the control's box")
    failures.check(hi[0] - lo[0] >= limit_x and hi[1] - lo[1] >= 0.5 * limit_y,
                   f"{name}: bounds {lo.round(2)}..{hi.round(2)} far smaller than the control's box")
    for axis, sign in ((2, 1), (0, 1), (0, -1), (1, 1), (1, -1)):
        share = visible_front_fraction(vertices, faces, axis, sign)
        failures.check(share >= 0.98, f"{name}: only {share:.1%} of the surface seen along axis "
                                      f"{'xyz'[axis]}{'+' if sign > 0 else '-'} faces outwards")
    return meshes, materials


def check_button(meshes, materials, failures):
    """The "off" set must show the unlit lamp (material 2); the "on" set adds a lit lamp over it."""
    off = [m for m in meshes if "off" in m["name"]]
    on = [m for m in meshes if "on" in m["name"]]
    lit = [m for m in on if m not in off]
    failures.check(len(materials) >= 3, "button_r.3ds: fewer than three materials")
    lamps = [m for m in off if m["material"] == 2]
    failures.check(lamps, "button_r.3ds: no mesh of material 2 in the off set")
    failures.check(all(m in on for m in off), "button_r.3ds: a part drawn when off is missing when on")
    if failures.check(lit, "button_r.3ds: the on set adds nothing over the off set"):
        for m in lit:
            failures.check("notlit" in materials[m["material"]]["name"].lower(),
                           f"button_r.3ds: lit part {m['name']} is not self-lit")
        if lamps:
            failures.check(max(m["vertices"][:, 2].max() for m in lit)
                           > max(m["vertices"][:, 2].max() for m in lamps),
                           "button_r.3ds: the lit lamp does not cover the unlit one")


# ---- fonts -------------------------------------------------------------------------------------

def wrapped_line_count(text, advance):
    """Lines of the help panel, broken the way the editor breaks them."""
    count, start = 0, 0
    while True:
        width, last_space, i, end = 0, -1, start, None
        while i < len(text):
            if width >= HELP_WIDTH:
                end = last_space if last_space >= 0 and i < len(text) - 1 else i
                break
            if text[i] == "\n":
                end = i
                break
            if text[i] == " ":
                last_space = i
            width += advance.get(ord(text[i]), 0)
            i += 1
        end = len(text) if end is None else end
        count += 1
        if end >= len(text):
            return count
        start = end + 1 if text[end] in "\n " else end


def check_font(skin_dir, font, failures):
    """Returns the metrics that place text: (line height, base, glyphs, kernings)."""
    path = os.path.join(skin_dir, font + ".fnt")
    raw = open(path, "rb").read()
    failures.check(b"\r" not in raw and raw.endswith(b"\n"), f"{font}.fnt: line endings")
    lines = raw.decode("ascii").split("\n")
    failures.check(lines[0].startswith("info "), f"{font}.fnt: first line is not the info line")
    common = FNT_COMMON.fullmatch(lines[1])
    if not failures.check(common, f"{font}.fnt: common line format"):
        return None
    line_height, base, scale_w, scale_h, pages = (int(v) for v in common.groups())
    failures.check(pages == 1, f"{font}.fnt: {pages} pages")
    failures.check(re.fullmatch(r'page id=0 file="[^"]+"', lines[2]), f"{font}.fnt: page line format")
    count = re.fullmatch(r"chars count=(\d+)", lines[3])
    glyphs = {}
    for line in lines[4:]:
        match = FNT_CHAR.fullmatch(line)
        if not match:
            break
        code, *values = (int(v) for v in match.groups())
        glyphs[code] = values
    failures.check(count and int(count.group(1)) == len(glyphs), f"{font}.fnt: chars count")
    missing = [chr(c) for c in range(32, 127) if c not in glyphs]
    failures.check(not missing, f"{font}.fnt: no glyph for {''.join(missing)!r}")
    failures.check(all(c < 256 for c in glyphs), f"{font}.fnt: character ids beyond 255")
    for code, (x, y, w, h, xo, yo, xa, page, chnl) in glyphs.items():
        failures.check(x + w <= scale_w and y + h <= scale_h, f"{font}.fnt: glyph {code} outside its page")
        failures.check(xa > 0 and w > 0 and h > 0, f"{font}.fnt: glyph {code} would not draw or advance")
    size = read_png(os.path.join(skin_dir, font + ".png"), failures)
    if size:
        failures.check(size[:2] == (scale_w, scale_h), f"{font}.png: {size[:2]} but the .fnt says "
                                                      f"{scale_w}x{scale_h}")
        failures.check(size[2] == 6, f"{font}.png: glyph pages need an alpha channel")
    if font == "font_heiti":
        top = min(v[5] for v in glyphs.values())
        bottom = max(v[5] + v[3] for v in glyphs.values())
        failures.check(bottom - top <= HELP_LINE_STEP, f"{font}: glyphs span {bottom - top} pixels, "
                                                       f"more than the {HELP_LINE_STEP}-pixel line step")
        advance = {c: v[6] for c, v in glyphs.items()}
        texts = json.load(open(os.path.join(HERE, "help_texts.json"), encoding="utf-8"))
        for key, text in texts.items():
            lines_used = wrapped_line_count(text, advance)
            failures.check(lines_used <= HELP_MAX_LINES,
                           f"{font}: the {key} help text needs {lines_used} lines, the panel holds "
                           f"{HELP_MAX_LINES}")
    kernings = {(int(a), int(b)): int(amount) for a, b, amount in FNT_KERNING.findall(raw.decode("ascii"))}
    placing = {code: (w, h, xo, yo, xa) for code, (x, y, w, h, xo, yo, xa, page, chnl) in glyphs.items()}
    return line_height, base, placing, kernings


# ---- the double-density set --------------------------------------------------------------------

def check_doubled_png(skin_dir, name, failures):
    dense = read_png(os.path.join(skin_dir, name), failures)
    design = read_png(os.path.join(skin_dir, name[len(DENSE_FOLDER):]), failures)
    if dense and design:
        failures.check(dense[:2] == (2 * design[0], 2 * design[1]) and dense[2] == design[2],
                       f"{name}: {dense[0]}x{dense[1]} (colour type {dense[2]}), the design image is "
                       f"{design[0]}x{design[1]} (colour type {design[2]})")


def check_doubled_font(name, dense, design, failures):
    """Text laid out with the dense font's metrics halved must land exactly where the design font puts it."""
    if dense is None or design is None:
        return
    line_height, base, glyphs, kernings = design
    failures.check(dense[:2] == (2 * line_height, 2 * base),
                   f"{name}: line height and base {dense[:2]}, twice the design font's is "
                   f"{(2 * line_height, 2 * base)}")
    doubled = {code: tuple(2 * v for v in values) for code, values in glyphs.items()}
    wrong = sorted(code for code in doubled.keys() | dense[2].keys() if dense[2].get(code) != doubled.get(code))
    failures.check(not wrong, f"{name}: glyph boxes, offsets or advances not twice the design font's for "
                              f"{''.join(chr(c) for c in wrong)!r}")
    failures.check(dense[3] == {pair: 2 * amount for pair, amount in kernings.items()},
                   f"{name}: kernings not twice the design font's")


# ---- shaders -----------------------------------------------------------------------------------

def declared_uniforms(source):
    without_comments = re.sub(r"//[^\n]*|/\*.*?\*/", "", source, flags=re.S)
    return set(re.findall(r"\buniform\s+\w+\s+(\w+)\s*;", without_comments))


def check_shaders(skin_dir, failures):
    for program, expected in SHADER_UNIFORMS.items():
        uniforms = set()
        for extension in (".vert", ".frag"):
            source = open(os.path.join(skin_dir, program + extension), encoding="ascii").read()
            failures.check(re.match(r"\s*#version 1[12]0\b", source),
                           f"{program}{extension}: not GLSL 1.10 or 1.20")
            uniforms |= declared_uniforms(source)
        failures.check(uniforms == expected, f"{program}: declares {sorted(uniforms)}, the editor sets "
                                             f"{sorted(expected)}")


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    skin_dir = argv[1]
    failures = Failures()
    fonts = {}
    for name, size in expected_files():
        path = os.path.join(skin_dir, name)
        if not failures.check(os.path.isfile(path), f"{name}: missing"):
            continue
        if name.startswith(DENSE_FOLDER) and name.endswith(".png"):
            check_doubled_png(skin_dir, name, failures)
        elif name.endswith(".png") and size:
            info = read_png(path, failures)
            if info:
                failures.check(info[:2] == size, f"{name}: {info[0]}x{info[1]}, expected {size[0]}x{size[1]}")
        elif name.endswith(".png") and not name.startswith("font_"):
            read_png(path, failures)
        elif name.endswith(".3ds"):
            meshes, materials = check_model(name, path, failures)
            if name == "button_r.3ds":
                check_button(meshes, materials, failures)
        elif name.endswith(".fnt"):
            fonts[name] = check_font(skin_dir, name[:-4], failures)
    for name, metrics in fonts.items():
        if name.startswith(DENSE_FOLDER):
            check_doubled_font(name, metrics, fonts.get(name[len(DENSE_FOLDER):]), failures)
    if not any(f.endswith("missing") for f in failures):
        check_shaders(skin_dir, failures)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'skin files check failed' if failures else 'skin files check passed'}: "
          f"{len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
