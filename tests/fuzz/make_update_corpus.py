#!/usr/bin/env python3
"""Writes the seed corpus of the update answer fuzzer: answers of the update server
as it sends them, signed with the fake signature scheme of tests/fakes/FakeSignatures.cpp
under the corpus key (64 bytes of 'K'), and answers that must be rejected (files named
damaged_*): pages that are no answer, unsigned answers, and broken signatures. The
magic word of the corpus is "Tallow". Run once; the files are kept in corpus/update/."""
import base64
import os
import sys

KEY = b"K" * 64
MASK = (1 << 64) - 1


def fake_signature(key, data):
    """The 64-byte tag TFakeSignatureVerifier::Sign gives."""
    h = 0xCBF29CE484222325
    for byte in key + b"\xff" + data:
        h = ((h ^ byte) * 0x100000001B3) & MASK
    tag = b""
    for word in range(1, 9):
        value = ((h ^ ((word * 0x9E3779B97F4A7C15) & MASK)) * 0x100000001B3) & MASK
        tag += value.to_bytes(8, "little")
    return tag


def signed(answer, key=KEY):
    if answer and answer[-1:] not in (b"\n", b"\r"):
        answer += b"\r\n"
    return answer + b"signature=" + base64.b64encode(fake_signature(key, answer)) + b"\r\n"


def files():
    offer = b"magicword=Tallow\r\nResult=1\r\ninfo=Version 2.0 is ready\r\npage=http://tallowmere.example/get\r\n"
    settings = (b"magicword=Tallow\r\nBanner.Top=Spring sale\r\n__MODIFY__.Update.Days=30\r\n"
                b"__modify__.URL.Redirect=http://r.example/\r\n__MODIFY__.=\r\nResult=0\r\n")
    yield "offer.txt", signed(offer)
    yield "current.txt", signed(b"magicword=Tallow\nResult=0\n")
    yield "no_page.txt", signed(b"magicword=Tallow\nResult=1\ninfo=Version 2.0: ask your vendor\n")
    yield "unknown_result.txt", signed(b"magicword=Tallow\nResult=7\ninfo=later\n")
    yield "mixed_case.txt", signed(b"MAGICWORD=tallow\rRESULT=1\rINFO=x\rPAGE=http://p/\r")
    yield "settings.txt", signed(settings)
    yield "hostile_page.txt", signed(b"magicword=Tallow\nResult=1\ninfo=click\npage=javascript:alert(1)\n")
    yield "odd_lines.txt", signed(b"\n\r\r\n=\n==\nmagicword=Tallow\nno equals\ninfo=a=b=c\nResult= 1 \nResult=0\n")
    yield "long_info.txt", signed(b"magicword=Tallow\nResult=1\ninfo=" + b"x" * 70000 + b"\n")
    yield "high_bytes.txt", signed(b"magicword=Tallow\nResult=1\ninfo=Caf\xe9 \x80\xff\x00end\n")
    yield "no_final_line_end.txt", signed(b"magicword=Tallow\nResult=0")[:-2]
    many = b"".join(b"__MODIFY__.Key%d=%d\r\n" % (i, i) for i in range(100))
    yield "many_settings.txt", signed(b"magicword=Tallow\r\nResult=0\r\n" + many +
                                      b"Banner.Long=" + b"v" * 1025 + b"\r\nBanner.Short=ok\r\n")
    yield "damaged_html_error.txt", b"<html><body><h1>502 Bad Gateway</h1></body></html>\r\n"
    yield "damaged_wrong_word.txt", signed(b"magicword=Tallow2\nResult=1\ninfo=forged\npage=http://evil/\n")
    yield "damaged_no_word.txt", signed(b"Result=1\ninfo=no word\n")
    yield "damaged_word_in_value.txt", signed(b"info=magicword=Tallow\nResult=1\n")
    yield "damaged_empty.txt", b""
    yield "damaged_binary.txt", bytes(range(256)) * 4
    yield "damaged_unsigned.txt", settings
    yield "damaged_other_key.txt", signed(settings, b"L" * 64)
    good = signed(offer)
    yield "damaged_changed_byte.txt", good.replace(b"Version 2.0", b"Version 2.1")
    yield "damaged_not_last.txt", good + b"Banner.Late=x\r\n"
    yield "damaged_bad_base64.txt", good.replace(b"signature=", b"signature=*")
    yield "damaged_short_signature.txt", offer + b"signature=" + base64.b64encode(b"\0" * 63) + b"\r\n"


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in files():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "update"))
