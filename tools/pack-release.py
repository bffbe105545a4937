#!/usr/bin/env python3
"""Writes the release zip from the given files, byte for byte the same from the same inputs.

Every entry gets the same date (SOURCE_DATE_EPOCH, in UTC), the same permissions and no extra
fields, in the order given; the zip's own time and the packing machine leave no trace.
Usage: pack-release.py OUT.zip FILE...
"""
import os
import sys
import time
import zipfile


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    out, files = sys.argv[1], sys.argv[2:]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    # Zip dates start at 1980 and count seconds in steps of two.
    date_time = time.gmtime(max(epoch, 315532800))[:6]
    temporary = out + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for path in files:
            entry = zipfile.ZipInfo(os.path.basename(path), date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0  # MS-DOS: no Unix owner or mode in the entry
            entry.external_attr = 0x20  # the archive attribute, as Windows packs a file
            with open(path, "rb") as source:
                archive.writestr(entry, source.read(), compresslevel=9)
    os.replace(temporary, out)


if __name__ == "__main__":
    main()
