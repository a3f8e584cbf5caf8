#!/usr/bin/env python3
"""A second, independent reader and writer of the resource archive format,
written from the format table alone, to check the engine's tools against.

  cras_archive.py write DIR OUT.arc   packs every file, every other one
                                      zlib-packed, with gaps between them
  cras_archive.py read ARC DIR        writes every entry to DIR
"""
import os
import struct
import sys
import zlib

HEADER = struct.Struct("<4sIIIII12x")
ENTRY = struct.Struct("<256sIIIIB3x")


def write(folder, out):
    names = []
    for root, _, files in os.walk(folder):
        for f in files:
            names.append(os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/"))
    names.sort(reverse=True)
    body, entries = bytearray(), []
    for i, name in enumerate(names):
        with open(os.path.join(folder, name), "rb") as fh:
            data = fh.read()
        packed = i % 2 == 0
        stored = zlib.compress(data, 6) if packed else data
        body += b"gap"  # entries need not lie back to back
        offset = HEADER.size + len(body)
        entries.append(ENTRY.pack(name.encode(), offset, len(stored), 0, len(data), 1 if packed else 0))
        body += stored
    directory = zlib.compress(b"".join(entries))
    with open(out, "wb") as fh:
        fh.write(HEADER.pack(b"CRAS", 1, len(names), HEADER.size + len(body), len(directory),
                             len(names) * ENTRY.size))
        fh.write(body)
        fh.write(directory)


def read(path, folder):
    with open(path, "rb") as fh:
        raw = fh.read()
    magic, version, count, dir_offset, dir_stored, dir_size = HEADER.unpack_from(raw, 0)
    assert magic == b"CRAS" and version == 1 and dir_size == count * ENTRY.size
    directory = zlib.decompress(raw[dir_offset:dir_offset + dir_stored])
    assert len(directory) == dir_size
    for i in range(count):
        name, offset, stored, _, size, flags = ENTRY.unpack_from(directory, i * ENTRY.size)
        name = name.split(b"\0", 1)[0].decode()
        data = raw[offset:offset + stored]
        data = zlib.decompress(data) if flags & 1 else raw[offset:offset + size]
        assert len(data) == size
        target = os.path.join(folder, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as fh:
            fh.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] not in ("write", "read"):
        sys.exit(__doc__)
    (write if sys.argv[1] == "write" else read)(sys.argv[2], sys.argv[3])
