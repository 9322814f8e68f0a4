"""Reads a BMFont text description with the editor's exact line formats and
lays text out the way the editor does (integer advances, 292-pixel help
lines)."""
import re
from dataclasses import dataclass

COMMON = re.compile(r"common lineHeight=(-?\d+) base=(-?\d+) scaleW=(-?\d+) scaleH=(-?\d+) pages=(-?\d+)\n")
CHAR = re.compile(r"char id=(-?\d+) +x=(-?\d+) +y=(-?\d+) +width=(-?\d+) +height=(-?\d+) +xoffset=(-?\d+)"
                  r" +yoffset=(-?\d+) +xadvance=(-?\d+) +page=(-?\d+) +chnl=(-?\d+)\n")
HELP_LINE_WIDTH = 292


@dataclass
class Glyph:
    x: int
    y: int
    width: int
    height: int
    xoffset: int
    yoffset: int
    xadvance: int


@dataclass
class BitmapFont:
    line_height: int
    base: int
    scale_w: int
    scale_h: int
    glyphs: dict

    def advance(self, ch):
        glyph = self.glyphs.get(ord(ch))
        return glyph.xadvance if glyph else 0

    def measure(self, text):
        return sum(self.advance(ch) for ch in text)

    def wrap_position(self, text, start):
        """End of the help-panel line that starts at `start`."""
        width, last_space, i = 0, -1, start
        while i < len(text):
            if width >= HELP_LINE_WIDTH:
                return last_space if last_space >= 0 and i < len(text) - 1 else i
            if text[i] == "\n":
                return i
            if text[i] == " ":
                last_space = i
            width += self.advance(text[i])
            i += 1
        return len(text)

    def help_lines(self, text):
        lines, start = [], 0
        while True:
            end = self.wrap_position(text, start)
            lines.append(text[start:end])
            if end >= len(text):
                return lines
            start = end + 1 if text[end] in "\n " else end


def read_fnt(path):
    lines = open(path, encoding="ascii").read().split("\n")
    common = COMMON.fullmatch(lines[1] + "\n")
    if not common:
        raise ValueError(f"{path}: the common line does not have the expected format")
    line_height, base, scale_w, scale_h, _ = (int(v) for v in common.groups())
    glyphs = {}
    for line in lines[4:]:
        match = CHAR.fullmatch(line + "\n")
        if not match:
            break
        code, *values = (int(v) for v in match.groups())
        glyphs[code] = Glyph(*values[:7])
    return BitmapFont(line_height, base, scale_w, scale_h, glyphs)
