#!/usr/bin/env python3
"""Writes the seed corpus of the skin fuzzer: the shipped skins and damaged ones.
Run once; the files are kept in corpus/skin/."""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools", "skinpack"))
import skinpack  # noqa: E402


def header(payload, claimed=None, version=1):
    size = len(payload) if claimed is None else claimed
    return b"TSKN" + struct.pack("<HHII", version, 0, size, zlib.crc32(payload) & 0xFFFFFFFF)


def grey_png(width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = (b"\0" * (width + 1)) * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hostile(files):
    """Small files that would build large things: keys, image entries, pixels."""
    files["damaged_unknown_keys.skn"] = skinpack.pack([("skin.ini", b"[Skin]\n" + b"a=b\n" * 4000000)])
    big = grey_png(2048, 2048)
    many = b"[Images]\n" + b"".join(b"K%d=big.png\n" % i for i in range(1000))
    files["damaged_image_keys.skn"] = skinpack.pack([("skin.ini", many), ("big.png", big)])
    shared = b"[Images]\n" + b"".join(b"K%d=big.png\n" % i for i in range(64))
    files["shared_picture.skn"] = skinpack.pack([("skin.ini", shared), ("big.png", big)])
    three = b"[Images]\nA=a.png\nB=b.png\nC=c.png\n"
    files["damaged_pixel_budget.skn"] = skinpack.pack([("skin.ini", three), ("a.png", big), ("b.png", big),
                                                       ("c.png", big)])


def main(folder):
    sources = os.path.join(ROOT, "src", "toolkit", "skin", "sources")
    files = {}
    for name in sorted(os.listdir(sources)):
        files[name + ".skn"] = skinpack.pack(skinpack.read_entries(os.path.join(sources, name)))
    tiny_ini = b"[Colors]\nFace=#123456\n[Metrics]\nGlowSize=2\n"
    files["partial.skn"] = skinpack.pack([("skin.ini", tiny_ini)])
    good = files["Slate.skn"]
    files["damaged_truncated.skn"] = good[:-9]
    flipped = bytearray(good)
    flipped[len(good) // 2] ^= 0x40
    files["damaged_flipped.skn"] = bytes(flipped)
    payload = b"\x08skin.ini" + struct.pack("<I", len(tiny_ini)) + tiny_ini
    files["damaged_claim.skn"] = header(payload, claimed=7) + zlib.compress(payload)
    files["damaged_version.skn"] = header(payload, version=9) + zlib.compress(payload)
    files["damaged_colour.skn"] = skinpack.pack([("skin.ini", b"[Colors]\nFace=#12345G\n")])
    files["damaged_no_ini.skn"] = skinpack.pack([("other.txt", b"x")])
    files["damaged_image.skn"] = skinpack.pack([("skin.ini", b"[Images]\nGlow=g.png\n"), ("g.png", b"\x89PNG\r\n")])
    with open(os.path.join(ROOT, "tests", "fuzz", "corpus", "png", "rgba8_adam7.png"), "rb") as f:
        files["damaged_foreign.skn"] = f.read()
    hostile(files)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "corpus", "skin"))
