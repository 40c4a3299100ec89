#!/usr/bin/env python3
"""Writes the seed corpus of the trace fuzzer: shared mappings as viewers leave them,
sound and hostile. Files named damaged_* must be refused by the sender. Run once;
the files are kept in corpus/trace/."""
import os
import struct
import sys

CHECK = 0x7F3D92E0


def mapping(queue_size, offset=64, slack=4, front=0, tail=0, magic=b"TRACEVW\0", check=CHECK,
            map_size=None, queue=b"", filter_=b""):
    size = offset + queue_size + slack
    header = magic + struct.pack("<IIIII", check, offset + queue_size if map_size is None else map_size,
                                 offset, front, tail)
    header += filter_ or struct.pack("<IIi8sH", 0, 0, 3, b"", 0)
    data = bytearray(size)
    data[:len(header)] = header
    data[offset:offset + len(queue)] = queue
    return bytes(data)


def record(text, tag=b""):
    return struct.pack("<iiiII8sIIId", 48 + len(text), 3, 0, 1, 2, tag, 0, 0, 1, 46000.5) + text


def files():
    three = record(b"a" * 52) + record(b"b" * 52) + record(b"cc")
    yield "empty.bin", mapping(4096)
    yield "wrap_two_left.bin", mapping(300, front=298, tail=298)
    yield "wrap_split.bin", mapping(300, front=150, tail=150)
    yield "full.bin", mapping(250, front=0, tail=249, queue=three + b"\0" * (250 - len(three)))
    yield "filter.bin", mapping(1024, filter_=struct.pack("<IIi8sH", 1, 1, 2, b"CLSettin", 3))
    yield "no_slack_mid.bin", mapping(600, slack=0, front=10, tail=10)
    yield "damaged_magic.bin", mapping(4096, magic=b"TRACEVX\0")
    yield "damaged_check.bin", mapping(4096, check=0)
    yield "damaged_map_size.bin", mapping(4096, map_size=1 << 30)
    yield "damaged_offset_in_header.bin", mapping(4096, offset=16)
    yield "damaged_front.bin", mapping(300, front=300, tail=0)
    yield "damaged_tail.bin", mapping(300, front=0, tail=4000)
    yield "damaged_zero_length.bin", mapping(300, front=100, tail=99)
    yield "damaged_long_length.bin", mapping(300, front=0, tail=299, queue=struct.pack("<I", 4000))
    yield "damaged_no_slack_wrap.bin", mapping(300, slack=0, front=298, tail=298)
    yield "damaged_short.bin", b"TRACEVW\0" + struct.pack("<I", CHECK)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, data in files():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "trace"))
