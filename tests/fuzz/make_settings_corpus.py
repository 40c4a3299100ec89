#!/usr/bin/env python3
"""Writes the seed corpus of the settings fuzzer: settings files as the program,
editors and damaged disks leave them. Run once; the files are kept in corpus/settings/."""
import os
import sys

PLAIN = (b"[setting]\r\nRunTimes=12\r\nSkin=Slate\r\nLastRun=46000,25\r\n\r\n"
         b"[ShowAgain]\r\n3=0\r\n\r\n[ShowAgainModuleResult]\r\n3=6\r\n")
COMMENTED = (b"; written by hand\r\nstray=1\r\n[setting]\r\n  ; keep me \r\nno equals sign\r\n=novalue\r\n"
             b"App.Name = Tallowmere \r\n[SETTING]\r\napp.name=second\r\nlate=yes\r\n")


def files():
    yield "plain.dat", PLAIN
    yield "commented.dat", COMMENTED
    yield "utf8_bom.dat", b"\xef\xbb\xbf" + "[setting]\r\nSkin=Café ♂\r\n".encode("utf-8")
    yield "utf8_bom_not_utf8.dat", b"\xef\xbb\xbf[setting]\r\nSkin=Caf\xe9\r\n"
    yield "utf16le.dat", b"\xff\xfe" + "[setting]\r\nSkin=Café ♂ 😀\r\n".encode("utf-16-le")
    yield "utf16le_odd.dat", b"\xff\xfe" + "[setting]\r\nk=v".encode("utf-16-le") + b"\x00"
    yield "utf16be.dat", b"\xfe\xff" + "[Flag]\r\nAllUsers=1\r\n".encode("utf-16-be")
    yield "utf16_lone_surrogate.dat", b"\xff\xfe" + "[s]\r\nk=".encode("utf-16-le") + b"\x00\xd8x\x00"
    yield "line_ends.dat", b"[a]\rx=1\ry=2\n[b]\r\nz=3\n\r[c]"
    yield "unterminated.dat", b"[unterminated\nu=1\n[]\n=\n[ spaced ]\nk = v \n[x]]\ny=]\n"
    yield "junk.dat", bytes(range(256)) + b"\n[s]\n" + bytes(range(255, -1, -1)) + b"=\x00\n"
    yield "many_sections.dat", b"".join(b"[s%d]\r\nk=%d\r\n" % (i, i) for i in range(2000))
    yield "long_value.dat", b"[setting]\r\nlong=" + b"v" * 20000 + b"\r\n"


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in files():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "settings"))
