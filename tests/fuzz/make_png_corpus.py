#!/usr/bin/env python3
"""Writes the seed corpus of the PNG fuzzer: small valid images of every colour
type and a few damaged ones. Run once; the files are kept in corpus/png/."""
import os
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(w, h, depth, ctype, raw, interlace=0, extra=b"", compress=True):
    ihdr = struct.pack(">IIBBBBB", w, h, depth, ctype, 0, 0, interlace)
    idat = zlib.compress(raw, 9) if compress else raw
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", idat) + chunk(b"IEND", b"")


def rows(h, row_bytes, filt=0, seed=1):
    out = bytearray()
    value = seed
    for y in range(h):
        out.append((filt + y) % 5 if filt is not None else 0)
        for _ in range(row_bytes):
            value = (value * 1103515245 + 12345) & 0x7FFFFFFF
            out.append(value >> 16 & 0xFF)
    return bytes(out)


def adam7_raw(w, h, bpp_bits):
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    raw = b""
    for x0, y0, dx, dy in passes:
        pw = (w - x0 + dx - 1) // dx if w > x0 else 0
        ph = (h - y0 + dy - 1) // dy if h > y0 else 0
        if pw and ph:
            raw += rows(ph, (pw * bpp_bits + 7) // 8)
    return raw


def main(folder):
    files = {
        "grey1.png": png(9, 3, 1, 0, rows(3, 2)),
        "grey4_key.png": png(5, 4, 4, 0, rows(4, 3), extra=chunk(b"tRNS", b"\x00\x03")),
        "grey16_adam7.png": png(9, 9, 16, 0, adam7_raw(9, 9, 16), interlace=1),
        "rgb8.png": png(4, 4, 8, 2, rows(4, 12)),
        "rgb16_key.png": png(3, 2, 16, 2, rows(2, 18), extra=chunk(b"tRNS", b"\x00\x01" * 3)),
        "palette2_trns.png": png(7, 3, 2, 3, rows(3, 2), extra=chunk(b"PLTE", bytes(range(12))) + chunk(b"tRNS", b"\x80\x00")),
        "palette8_adam7.png": png(10, 10, 8, 3, adam7_raw(10, 10, 8), 1, chunk(b"PLTE", bytes(range(256)) * 3)),
        "greyalpha16.png": png(2, 2, 16, 4, rows(2, 8)),
        "rgba8_adam7.png": png(11, 5, 8, 6, adam7_raw(11, 5, 32), interlace=1),
        "rgba8_text.png": png(2, 1, 8, 6, rows(1, 8), extra=chunk(b"tEXt", b"Comment\x00hello")),
    }
    good = files["rgb8.png"]
    files["damaged_truncated.png"] = good[: len(good) - 17]
    bad_crc = bytearray(good)
    bad_crc[40] ^= 0xFF
    files["damaged_crc.png"] = bytes(bad_crc)
    files["damaged_filter.png"] = png(2, 2, 8, 0, b"\x07\x01\x02\x00\x03\x04")
    files["damaged_bomb.png"] = png(2, 2, 8, 0, bytes(2 * 1024 * 1024))
    files["damaged_huge.png"] = png(60000, 60000, 8, 6, rows(1, 4))
    files["damaged_order.png"] = b"\x89PNG\r\n\x1a\n" + chunk(b"IEND", b"") + good[8:]
    files["damaged_zlib.png"] = png(4, 4, 8, 2, b"\x78\x9c\xff\xff\x00\x12", compress=False)
    files["damaged_no_plte.png"] = png(4, 1, 8, 3, rows(1, 4))
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "png"))
