#!/usr/bin/env python3
"""Writes a Windows icon file holding the given PNG drawings as they are (an .ico may carry PNG images whole).

    ico.py OUT.ico A.png [B.png ...]
"""

import struct
import sys


def size_of(png):
    assert png[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    return struct.unpack(">II", png[16:24])  # the IHDR chunk's width and height


def main(out, *files):
    images = [open(f, "rb").read() for f in files]
    head = struct.pack("<HHH", 0, 1, len(images))
    entries, offset = b"", 6 + 16 * len(images)
    for png in images:
        width, height = size_of(png)
        # A side of 256 is written as 0; 32 bits per pixel.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
        offset += len(png)
    with open(out, "wb") as f:
        f.write(head + entries + b"".join(images))


if __name__ == "__main__":
    main(*sys.argv[1:])
