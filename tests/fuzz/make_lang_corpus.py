#!/usr/bin/env python3
"""Writes the seed corpus of the language file fuzzer: language files as
translators, editors and damaged disks leave them. Run once; the files are kept
in corpus/lang/. Files named damaged_* hold no section the reader can see."""
import os
import sys

PLAIN = ("[Info]\r\nLanguage=Deutsch\r\nTranslator=Team\r\n\r\n[AppRes]\r\nAppName=Tallowmere\r\n"
         "MSGBOX_Cleared=Fertig.<BR>Alles gel\u00f6scht.\r\n[TfrmMain]\r\nbtnClearAll.Caption=Jetzt bereinigen\r\n"
         ).encode("cp1252")
COMMENTS = (b"; a translator's note\r\nstray=before\r\n[ LibRes ]\r\n  ;indented=comment\r\nno equals sign\r\n"
            b"  btnOk.Caption  =  &OK  \r\n=empty key\r\nUrl=a=b=c\r\n[Other] ; not a header\r\nlate=LibRes\r\n")
REPEATS = b"[A]\nk=1\nonly=first\n[B]\nx=1\n[a]\nK=2\nk=3\n[A]\n[b]\ny=<sp>2<SP>\n"


def files():
    yield "plain.lan", PLAIN
    yield "comments.lan", COMMENTS
    yield "repeats.lan", REPEATS
    yield "line_ends.lan", b"[a]\rx=1\ry=2\n[b]\r\nz=3\n\r[c]\r\n\r\nw=<br><BR><Br>"
    yield "nul_inside.lan", b"[a]\nbefore=1\n\x00[b]\nafter=2\n"
    yield "controls.lan", b"\x01\x1f[ctl]\x20\r\ndel=\x7f\r\n[ctl2]\x7f\r\n\x08key\x0b=\x0cvalue\x1f\r\n[\x00]"
    yield "tokens.lan", b"[t]\nodd=<<SP>SP>><BR<BR>>\nname={AppName}{appname}{APPNAME\nopen=<\n"
    yield "utf8_bom_second.lan", b"\xef\xbb\xbf[lost]\nk=1\n[found]\nk=2\n"
    yield "many_sections.lan", b"".join(b"[s%d]\r\nk=%d\r\n" % (i % 700, i) for i in range(3000))
    yield "long_value.lan", b"[v]\r\nlong=" + b"<BR>" * 5000 + b"\r\n"
    # "{AppName}" filling: at the limit, past it, and a file that would ask for
    # some hundred megabytes; "{" by the hundred thousand for the placeholders.
    name = b"AppName=" + b"N" * 1024 + b"\r\n"
    yield "appname_at_limit.lan", b"[AppRes]\r\n" + name + b"Msg=" + b"{AppName}" * 64 + b"\r\n"
    yield "appname_past_limit.lan", (b"[AppRes]\r\n" + name + b"Msg=" + b"{appname}" * 64 + b"x\r\n"
                                     b"[TfrmMain]\r\nbtnClearAll.Caption=" + b"{APPNAME}" * 65 + b"\r\n")
    yield "appname_bomb.lan", (b"[AppRes]\r\nAppName=" + b"N" * 4096 + b"\r\n"
                               b"[TfrmMain]\r\nfrmMain.Caption=" + b"{AppName}" * 20000 + b"\r\n")
    yield "appname_in_name.lan", b"[AppRes]\r\nAppName={AppName}{AppName}\r\nMsg=" + b"{AppName}" * 1000 + b"\r\n"
    yield "braces.lan", b"[AppRes]\r\nMsg=" + b"{" * 200000 + b"{1}{AppName\r\n"
    yield "damaged_binary.lan", bytes(b for b in range(256) if b not in b"[]")
    yield "damaged_utf8_bom.lan", b"\xef\xbb\xbf[Info]\r\nLanguage=English\r\n"
    yield "damaged_empty.lan", b""
    yield "damaged_unclosed.lan", b"[Info\r\nLanguage=x\r\n] [\r\n"


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in files():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "lang"))
