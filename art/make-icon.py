#!/usr/bin/env python3
"""Builds the program icon src/runner/tallowmere.ico from art/appicon.svg.

The icon holds four images: 16, 32 and 48 pixels as 32-bit DIBs with an AND
mask (what every Windows shell reads), and 256 pixels as PNG (what Windows
Vista and later expect for the large size). Needs rsvg-convert (Debian package
librsvg2-bin); the PNG decoding below covers the 8-bit RGBA images it writes.

    art/make-icon.py [--preview DIR]   also writes DIR/icon-N-x8.png, each size
                                       enlarged eight times, for review
"""
import os
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "appicon.svg")
TARGET = os.path.join(HERE, "..", "src", "runner", "tallowmere.ico")
SIZES = (16, 32, 48, 256)


def render(size):
    return subprocess.run(["rsvg-convert", "--format=png", "-w", str(size), "-h", str(size), SOURCE],
                          check=True, stdout=subprocess.PIPE).stdout


def chunks(png):
    pos = 8
    while pos < len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        yield kind, png[pos + 8:pos + 8 + length]
        pos += 12 + length


def decode_rgba(png):
    """Rows of RGBA bytes of an 8-bit RGBA, non-interlaced PNG."""
    idat = b""
    for kind, data in chunks(png):
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", data)
            if (depth, colour, interlace) != (8, 6, 0):
                sys.exit("make-icon: rsvg-convert wrote a PNG that is not 8-bit RGBA")
        elif kind == b"IDAT":
            idat += data
    raw = zlib.decompress(idat)
    stride, rows, prev = width * 4, [], bytearray(width * 4)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, rows


def dib(size, rows):
    """A 32-bit BGRA icon image: header, bottom-up pixels, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def png_file(width, height, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    images = []
    for size in SIZES:
        png = render(size)
        width, height, rows = decode_rgba(png)
        if (width, height) != (size, size):
            sys.exit(f"make-icon: asked for {size} pixels, got {width}x{height}")
        images.append((size, png if size >= 256 else dib(size, rows), rows))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data, _ in images:
        dim = 0 if size >= 256 else size  # 0 stands for 256 in the directory
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data, _ in images)
    with open(TARGET, "wb") as f:
        f.write(out)
    if len(sys.argv) == 3 and sys.argv[1] == "--preview":
        for size, _, rows in images:
            if size > 48:
                continue
            big = [b"".join(row[x * 4:x * 4 + 4] * 8 for x in range(size)) for row in rows for _ in range(8)]
            with open(os.path.join(sys.argv[2], f"icon-{size}-x8.png"), "wb") as f:
                f.write(png_file(size * 8, size * 8, big))


if __name__ == "__main__":
    main()
