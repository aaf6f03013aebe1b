#!/usr/bin/env python3
"""Writes source/garden.gif: a 16 x 16 flower in four colours, LZW-encoded as GIF89a wants.

The picture is committed; run this only to change it."""

import os
import struct

PALETTE = [(0xFF, 0xFF, 0xFF), (0x2E, 0x8B, 0x57), (0xDC, 0x14, 0x3C), (0xFF, 0xD7, 0x00)]
ROWS = [
    "................",
    "......2222......",
    ".....222222.....",
    "....22233222....",
    "....22333322....",
    "....22233222....",
    ".....222222.....",
    "......2222......",
    ".......11.......",
    "...11..11.......",
    "....11.11..11...",
    ".....1111.11....",
    ".......1111.....",
    ".......11.......",
    ".......11.......",
    "1111111111111111",
]


def lzw(pixels, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    table = {(i,): i for i in range(clear)}
    width, next_code = min_code_size + 1, end + 1
    codes = [(clear, width)]
    current = ()
    for p in pixels:
        candidate = current + (p,)
        if candidate in table:
            current = candidate
            continue
        codes.append((table[current], width))
        table[candidate] = next_code
        next_code += 1
        if next_code > (1 << width) and width < 12:
            width += 1
        current = (p,)
    codes.append((table[current], width))
    codes.append((end, width))
    out, acc, bits = bytearray(), 0, 0
    for code, w in codes:
        acc |= code << bits
        bits += w
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc)
    return bytes(out)


def main():
    pixels = [0 if c == "." else int(c) for row in ROWS for c in row]
    data = lzw(pixels, 2)
    gif = bytearray(b"GIF89a")
    gif += struct.pack("<HHBBB", 16, 16, 0x81, 0, 0)  # global table of 4 colours
    for rgb in PALETTE:
        gif += bytes(rgb)
    gif += b"\x2c" + struct.pack("<HHHHB", 0, 0, 16, 16, 0)
    gif += bytes([2])
    for i in range(0, len(data), 255):
        block = data[i:i + 255]
        gif += bytes([len(block)]) + block
    gif += b"\x00\x3b"
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "source", "garden.gif"), "wb") as f:
        f.write(gif)


if __name__ == "__main__":
    main()
