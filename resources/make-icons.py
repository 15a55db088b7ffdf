#!/usr/bin/env python3
"""Draws the program's icon and writes every file made from it into this folder:

  controls-demo.svg     the scalable source: one square per cell of the drawing below
  controls-demo.ico     three images: 32 x 32 in two colours, 32 x 32 and 16 x 16 in 16
  controls-demo-16.png  for the desktop's icon theme
  controls-demo-32.png
  IconPixels.h          the same two images as pixels for the window frames, so that
                        the program shows its icon without reading an image file

The drawing is a small window holding a selected option, a checked box and a text
box, on a 16 x 16 grid; the 32-pixel images draw each cell as 2 x 2 pixels. Run it
again after changing the drawing; a test checks that the files match it."""

import os
import struct
import sys
import zlib

DRAWING = [
    "KKKKKKKKKKKKKKKK",
    "KNNNNNNNNNNNNNNK",
    "KSSSKKSSSSSSSSSK",
    "KSSKRRKSDDDDDSSK",
    "KSSKRRKSSSSSSSSK",
    "KSSSKKSSSSSSSSSK",
    "KSSSSSSSSSSSSSSK",
    "KSSKKKKSSSSSSSSK",
    "KSSKWGKSDDDDDSSK",
    "KSSKGWKSSSSSSSSK",
    "KSSKKKKSSSSSSSSK",
    "KSSSSSSSSSSSSSSK",
    "KSSKKKKKKKKKKSSK",
    "KSSKWWWWWWWWKSSK",
    "KSSKKKKKKKKKKSSK",
    "KKKKKKKKKKKKKKKK",
]

# The 16 colours of the classic palette, in its order; the drawing uses six of them.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CELLS = {"K": 0, "N": 4, "G": 2, "S": 7, "D": 8, "R": 9, "W": 15}
# In two colours, the light cells are white and every other cell is black.
LIGHT = {"S", "W"}


def indices(size):
    """The palette index of every pixel, top row first, at 16 or 32 pixels."""
    scale = size // len(DRAWING)
    return [[CELLS[DRAWING[y // scale][x // scale]] for x in range(size)] for y in range(size)]


def png(size):
    rows = b"".join(b"\0" + bytes(channel for index in row for channel in PALETTE[index] + (255,))
                    for row in indices(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def pack_rows(rows, bits):
    """Packs rows of palette indices at 1 or 4 bits a pixel, bottom row first, each
    row padded to four bytes, as an icon's bitmap holds them."""
    data = b""
    for row in reversed(rows):
        packed, byte, filled = bytearray(), 0, 0
        for value in row:
            byte = (byte << bits) | value
            filled += bits
            if filled == 8:
                packed.append(byte)
                byte, filled = 0, 0
        packed += b"\0" * (-len(packed) % 4)
        data += bytes(packed)
    return data


def icon_image(size, colours):
    rows = indices(size)
    if colours == 2:
        rows = [[1 if PALETTE[index] in (PALETTE[7], PALETTE[15]) else 0 for index in row]
                for row in rows]
        palette = [(0, 0, 0), (255, 255, 255)]
        bits = 1
    else:
        palette = PALETTE
        bits = 4
    pixels = pack_rows(rows, bits)
    mask = pack_rows([[0] * size for _ in range(size)], 1)  # Every pixel is opaque.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(pixels) + len(mask),
                         0, 0, colours, 0)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return bits, header + colour_table + pixels + mask


def ico():
    images = [(32, 2), (32, 16), (16, 16)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries, data = b"", b""
    for size, colours in images:
        bits, image = icon_image(size, colours)
        entries += struct.pack("<BBBBHHII", size, size, colours % 256, 0, 1, bits, len(image),
                               offset + len(data))
        data += image
    return directory + entries + data


def svg():
    squares = []
    for y, row in enumerate(DRAWING):
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and row[x + run] == row[x]:
                run += 1
            r, g, b = PALETTE[CELLS[row[x]]]
            squares.append(f'  <rect x="{x}" y="{y}" width="{run}" height="1" '
                           f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x += run
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 16 16"'
            ' shape-rendering="crispEdges">\n' + "\n".join(squares) + "\n</svg>\n").encode()


def pixels_header():
    lines = ["#pragma once", "",
             "// The program's icon as 0xAARRGGBB pixels, row by row. Written by make-icons.py.",
             "", "#include <cstdint>", "", "// clang-format off", "namespace controls::icon {", ""]
    for size in (16, 32):
        lines.append(f"inline constexpr std::uint32_t pixels{size}[{size * size}] = {{")
        for row in indices(size):
            values = ", ".join("0xFF%02X%02X%02X" % PALETTE[index] for index in row)
            lines.append(f"    {values},")
        lines.append("};")
        lines.append("")
    lines.append("} // namespace controls::icon")
    lines.append("// clang-format on")
    return ("\n".join(lines) + "\n").encode()


FILES = {
    "controls-demo.svg": svg,
    "controls-demo.ico": ico,
    "controls-demo-16.png": lambda: png(16),
    "controls-demo-32.png": lambda: png(32),
    "IconPixels.h": pixels_header,
}

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in FILES.items():
        with open(os.path.join(folder, name), "wb") as file:
            file.write(make())
