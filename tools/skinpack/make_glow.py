#!/usr/bin/env python3
"""Draws a soft round glow (white, alpha falling off from the centre) as an RGBA
PNG, for skins that show glow frames from a picture.

    make_glow.py OUTPUT.png [SIZE]
"""
import math
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def glow(size):
    rows = bytearray()
    centre = (size - 1) / 2.0
    for y in range(size):
        rows.append(0)
        for x in range(size):
            d = math.hypot(x - centre, y - centre) / (size / 2.0)
            alpha = int(round(255 * max(0.0, 1.0 - d) ** 2))
            rows += bytes((255, 255, 255, alpha))
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(glow(int(sys.argv[2]) if len(sys.argv) > 2 else 24))
