#!/usr/bin/env python3
"""Writes the seed corpus of the update answer fuzzer: answers of the update server
as it sends them, and pages that are no answer (files named damaged_*, which must be
rejected). The magic word of the corpus is "Tallow". Run once; the files are kept in
corpus/update/."""
import os
import sys


def files():
    yield "offer.txt", b"magicword=Tallow\r\nResult=1\r\ninfo=Version 2.0 is ready\r\npage=http://tallowmere.example/get\r\n"
    yield "current.txt", b"magicword=Tallow\nResult=0\n"
    yield "no_page.txt", b"magicword=Tallow\nResult=1\ninfo=Version 2.0: ask your vendor\n"
    yield "unknown_result.txt", b"magicword=Tallow\nResult=7\ninfo=later\n"
    yield "mixed_case.txt", b"MAGICWORD=tallow\rRESULT=1\rINFO=x\rPAGE=http://p/\r"
    yield "settings.txt", (b"magicword=Tallow\r\nBanner.Top=Spring sale\r\n__MODIFY__.Update.Days=30\r\n"
                           b"__modify__.URL.Redirect=http://r.example/\r\n__MODIFY__.=\r\nResult=0\r\n")
    yield "hostile_page.txt", b"magicword=Tallow\nResult=1\ninfo=click\npage=javascript:alert(1)\n"
    yield "odd_lines.txt", b"\n\r\r\n=\n==\nmagicword=Tallow\nno equals\ninfo=a=b=c\nResult= 1 \nResult=0\n"
    yield "long_info.txt", b"magicword=Tallow\nResult=1\ninfo=" + b"x" * 70000 + b"\n"
    yield "high_bytes.txt", b"magicword=Tallow\nResult=1\ninfo=Caf\xe9 \x80\xff\x00end\n"
    yield "damaged_html_error.txt", b"<html><body><h1>502 Bad Gateway</h1></body></html>\r\n"
    yield "damaged_wrong_word.txt", b"magicword=Tallow2\nResult=1\ninfo=forged\npage=http://evil/\n"
    yield "damaged_no_word.txt", b"Result=1\ninfo=no word\n"
    yield "damaged_word_in_value.txt", b"info=magicword=Tallow\nResult=1\n"
    yield "damaged_empty.txt", b""
    yield "damaged_binary.txt", bytes(range(256)) * 4


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in files():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "update"))
