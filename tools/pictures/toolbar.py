#!/usr/bin/env python3
"""Draws the main toolbar's button pictures into app/res/toolbar.bmp.

Each picture is 16x15 pixels in the sixteen classic colours, drawn here as text so that a change is
reviewed like code. The light grey of the background is the button face: the toolbar maps it, the
black, the dark grey and the white to the system colours when it loads the strip. The order of the
pictures is the order of the buttons in the toolbar resource.

    python3 tools/pictures/toolbar.py [output.bmp]
"""

import struct
import sys
from pathlib import Path

WIDTH, HEIGHT = 16, 15

PALETTE = {
    ".": (192, 192, 192),  # button face
    "k": (0, 0, 0),
    "g": (128, 128, 128),
    "w": (255, 255, 255),
    "y": (255, 255, 0),
    "o": (128, 128, 0),
    "r": (255, 0, 0),
    "R": (128, 0, 0),
    "l": (0, 255, 0),
    "G": (0, 128, 0),
    "b": (0, 0, 255),
    "n": (0, 0, 128),
    "c": (0, 255, 255),
    "t": (0, 128, 128),
}

OPEN_LIBRARY = """
................
................
.kkkk...........
kwyyyk..........
kyyyyykkkkkkk...
kyyyyyyyyyyyyk..
kyyyyyyyyyyyyk..
kyyykkkkkkkkkkkk
kyykwwwwwwwwwwwk
kykwyyyyyyyyyyk.
kykwyyyyyyyyyyk.
kkwyyyyyyyyyyk..
kkyyyyyyyyyyyk..
kkkkkkkkkkkkk...
................
"""

CLOSED_FOLDER = """
................
.kkkk...........
kwyyyk..........
kyyyyykkkkkkk...
kwwwwwwwwwwwwk..
kwyyyyyyyyyyok..
kwyyyyyyyyyyok..
kwyyyyyyyyyyok..
kwyyyyyyyyyyok..
kwyyyyyyyyyyok..
kooooooooooook..
kkkkkkkkkkkkkk..
................
................
................
"""

# Drawn over the folder's corner; blanks leave the folder seen.
CROSS = """
rr   rr
rrr rrr
 rrrrr
  rrr
 rrrrr
rrr rrr
rr   rr
"""

SYNCHRONIZE = """
.........kk.....
.........kGk....
.kkkkkkkkkGGk...
.kGGGGGGGGGGGk..
.kGGGGGGGGGGGk..
.kkkkkkkkkGGk...
.........kGk....
.....kk..kk.....
....knk.........
...knnkkkkkkkkk.
..knnnnnnnnnnnk.
..knnnnnnnnnnnk.
...knnkkkkkkkkk.
....knk.........
.....kk.........
"""

PRINT = """
................
....kkkkkkkk....
....kwwwwwwk....
....kwkkkkwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.kwwwwwwwwwwwwk.
.kw..........gk.
.kw.......Gl.gk.
.kw..........gk.
.kggggggggggggk.
.kkkkkkkkkkkkkk.
...kwwwwwwwwk...
...kwkkkkkkwk...
...kkkkkkkkkk...
"""

REFRESH = """
................
.....kkkkk..k...
...kkGGGGGkkGk..
..kGGkkkkkGGGk..
..kGk.....kGGk..
.kGk.....kGGGk..
.kGk.....kkkkk..
.kGk............
.kGk.......kkk..
.kGk.......kGk..
..kGk.....kGk...
..kGGkkkkkGGk...
...kkGGGGGkk....
.....kkkkk......
................
"""

HELP = """
................
.....nnnnn......
....nnnnnnn.....
...nnn...nnn....
...nnn...nnn....
.........nnn....
........nnn.....
.......nnn......
......nnn.......
......nnn.......
................
......nnn.......
......nnn.......
................
................
"""

ABOUT = """
................
.....kkkkkk.....
...kkbbbbbbkk...
..kbbbbwwbbbbk..
..kbbbbwwbbbbk..
.kbbbbbbbbbbbbk.
.kbbbbwwwbbbbbk.
.kbbbbbwwbbbbbk.
.kbbbbbwwbbbbbk.
.kbbbbbwwbbbbbk.
..kbbbbwwbbbbk..
..kbbbwwwwbbbk..
...kkbbbbbbkk...
.....kkkkkk.....
................
"""



def rows(picture):
    lines = picture.strip("\n").split("\n")
    if len(lines) != HEIGHT or any(len(line) != WIDTH for line in lines):
        raise ValueError("a picture is %dx%d: %r" % (WIDTH, HEIGHT, lines))
    return lines


def overlay(picture, top, x, y):
    """The picture with top drawn at (x, y); blanks in top are see-through."""
    lines = [list(line) for line in rows(picture)]
    for dy, line in enumerate(top.strip("\n").split("\n")):
        for dx, ch in enumerate(line):
            if ch != " ":
                lines[y + dy][x + dx] = ch
    return "\n".join("".join(line) for line in lines)


CLOSE_LIBRARY = overlay(CLOSED_FOLDER, CROSS, 9, 8)

PICTURES = [OPEN_LIBRARY, CLOSE_LIBRARY, SYNCHRONIZE, PRINT, REFRESH, HELP, ABOUT]


def write_bmp(path, pictures):
    strips = [rows(p) for p in pictures]
    width = WIDTH * len(strips)
    stride = (width * 3 + 3) & ~3
    bits = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        for strip in strips:
            for ch in strip[y]:
                r, g, b = PALETTE[ch]
                row += bytes((b, g, r))
        row += bytes(stride - len(row))
        bits += row
    info = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(bits), 0, 0, 14 + len(info))
    Path(path).write_bytes(header + info + bits)


if __name__ == "__main__":
    default = Path(__file__).resolve().parents[2] / "app" / "res" / "toolbar.bmp"
    write_bmp(sys.argv[1] if len(sys.argv) > 1 else default, PICTURES)
