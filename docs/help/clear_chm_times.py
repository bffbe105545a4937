#!/usr/bin/env python3
"""Clears the two compile times chmcmd writes into a help file, so that the same sources give
the same bytes: the one in the file header and the one in the #SYSTEM stream (entry 10).
Usage: clear_chm_times.py FILE.chm
"""
import struct
import sys


def read_encint(data, at):
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def main():
    path = sys.argv[1]
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        sys.exit(f"{path}: not a version 3 ITSF file")
    data[0x10:0x14] = bytes(4)

    # The directory entry of /#SYSTEM: name, then section, offset and length as encoded integers.
    entry = data.find(b"\x08/#SYSTEM")
    if entry < 0:
        sys.exit(f"{path}: no /#SYSTEM stream")
    section, at = read_encint(data, entry + 9)
    offset, at = read_encint(data, at)
    length, at = read_encint(data, at)
    if section != 0:
        sys.exit(f"{path}: /#SYSTEM is compressed")
    start = struct.unpack_from("<Q", data, 0x58)[0] + offset
    at, end = start + 4, start + length  # after the stream's version
    cleared = False
    while at + 4 <= end:
        code, size = struct.unpack_from("<HH", data, at)
        if code == 10 and size == 4:
            data[at + 4 : at + 8] = bytes(4)
            cleared = True
        at += 4 + size
    if not cleared:
        sys.exit(f"{path}: no compile time in /#SYSTEM")
    open(path, "wb").write(data)


if __name__ == "__main__":
    main()
