#!/usr/bin/env python3
"""Writes a language file of the game's string table from its text source.

    make_language.py SOURCE.txt OUTPUT

The source holds one string a line, "KEY = text"; blank lines and lines
starting with "#" are skipped, and in the text "\\n" stands for a line break.
The output is the binary file the string table loads: the magic "bcol", then
for every string its key and its text, each as a 32-bit little-endian count
of UTF-16 units, a zero word and the UTF-16LE units. A key defined twice, a
line without " = ", or a key or text longer than 1023 units is refused with
the line's number, and nothing is written.
"""
import os
import struct
import sys

MAGIC = b"bcol"
MAX_UNITS = 1023


def units(text):
    return len(text.encode("utf-16-le")) // 2


def parse(path):
    """The (key, text) pairs of the source, in order."""
    strings, seen = [], set()
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if " = " not in line:
                raise ValueError("%s:%d: no ' = ' between key and text" % (path, number))
            key, text = line.split(" = ", 1)
            key, text = key.strip(), text.strip().replace("\\n", "\n")
            if not key or not text:
                raise ValueError("%s:%d: an empty key or text" % (path, number))
            if key.upper() in seen:
                raise ValueError("%s:%d: %s is defined twice" % (path, number, key))
            if units(key) > MAX_UNITS or units(text) > MAX_UNITS:
                raise ValueError("%s:%d: longer than %d units" % (path, number, MAX_UNITS))
            seen.add(key.upper())
            strings.append((key, text))
    return strings


def encode(strings):
    out = [MAGIC]
    for key, text in strings:
        for part in (key, text):
            out.append(struct.pack("<II", units(part), 0))
            out.append(part.encode("utf-16-le"))
    return b"".join(out)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, output = sys.argv[1], sys.argv[2]
    try:
        data = encode(parse(source))
    except (OSError, UnicodeDecodeError, ValueError) as error:
        sys.exit("make_language.py: %s" % error)
    os.makedirs(os.path.dirname(output) or ".", exist_ok=True)
    # Written aside and renamed: an interrupted run leaves no half file. The
    # name is this process's own, as another build may write the same file.
    partial = "%s.%d.part" % (output, os.getpid())
    with open(partial, "wb") as out:
        out.write(data)
    os.replace(partial, output)


if __name__ == "__main__":
    main()
