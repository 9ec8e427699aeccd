#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files' contents, names and one time.

Usage: write-zip.py ARCHIVE FOLDER EPOCH ENTRY...

Each ENTRY is a path relative to FOLDER, stored in the order given under that name (forward
slashes, UTF-8 with the UTF-8 flag, which Windows Explorer honours), deflated, stamped with EPOCH
read as UTC, as a plain file readable by all (rw-r--r--), with no extra fields.
"""
import sys
import time
import zipfile


def main():
    archive, folder, epoch, entries = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
    # Zip times are local times of no zone, in 2-second steps, from 1980 on.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(archive, "w") as out:
        for name in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            # Unix attributes: unzip then trusts the UTF-8 flag (for FAT ones it recodes names).
            info.create_system = 3
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(f"{folder}/{name}", "rb") as source:
                out.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
