#!/usr/bin/env python3
"""Assembles an SWF movie from a readable description.

    swfasm.py [-I DIR]... [--compress] DESCRIPTION OUT.swf

The description is one tag a line ('#' starts a comment). The first line
that is not blank is the header:

    header version=6 compress=no width=550 height=400 rate=12.5 frames=2

(compress=yes or --compress writes a "CWS" movie; rect=XMIN,XMAX,YMIN,YMAX in twips may
stand for width and height in pixels; filelength=N overrides the stored file
length). Then the tags, each a name and key=value fields:

    ShowFrame
    End
    SetBackgroundColor color=ff8000
    FrameLabel name=intro
    PlaceObject id=1 depth=2 [matrix=...] [cxform=...]
    PlaceObject2 depth=1 [id=5] [move] [matrix=SX,SY,R0,R1,TX,TY]
                 [cxform=MR,MG,MB,MA,AR,AG,AB,AA] [ratio=65535] [name=clip]
                 [clipdepth=3] [event=FLAGS:HEX[:LENGTH]]...
    RemoveObject id=1 depth=2
    RemoveObject2 depth=2
    DefineSprite id=3 frames=1
      ...tags of the sprite...
    EndSprite
    DefineBitsLossless id=4 format=3 width=5 height=2 colors=ff0000,00ff00 pixels=0,1,...
    DefineBitsLossless2 id=4 format=5 width=1 height=1 pixels=80102030
    JPEGTables jpeg=picture.jpg          (the picture's tables)
    DefineBits id=8 jpeg=picture.jpg     (the picture without its tables)
    DefineBitsJPEG2 id=6 jpeg=picture.jpg [prefix=ffd9ffd8]
    DefineBitsJPEG3 id=7 jpeg=picture.jpg alpha=0
    ExportAssets 3=name 4=other
    ImportAssets url=lib.swf 10=name
    Tag type=60 hex=0102                 (any tag, raw data)
    Raw hex=0102                         (bytes with no tag header)

Every tag takes 'long' (the long header form) and length=N (a stored length
other than the data's). Pixel values of the lossless formats: colour-map
indexes (format 3), 15-bit words in hex (format 4), 32-bit words in hex as
stored (format 5: pad or alpha, then red, green, blue). Numbers may be
written in hex with 0x. JPEG files are looked up in the -I folders, then
beside the description.
"""
import argparse
import os
import shlex
import struct
import sys
import zlib

TAG_TYPES = {
    "End": 0, "ShowFrame": 1, "PlaceObject": 4, "RemoveObject": 5, "DefineBits": 6,
    "JPEGTables": 8, "SetBackgroundColor": 9, "DefineBitsLossless": 20, "DefineBitsJPEG2": 21,
    "Protect": 24, "PlaceObject2": 26, "RemoveObject2": 28, "DefineBitsJPEG3": 35,
    "DefineBitsLossless2": 36, "DefineSprite": 39, "FrameLabel": 43, "ExportAssets": 56,
    "ImportAssets": 57,
}


class AsmError(Exception):
    pass


def number(text):
    return int(text, 0)


def u8(v):
    return struct.pack("<B", v & 0xFF)


def u16(v):
    return struct.pack("<H", v & 0xFFFF)


def u32(v):
    return struct.pack("<I", v & 0xFFFFFFFF)


def cstring(text):
    return text.encode("utf-8") + b"\0"


class Bits:
    """Bit fields, most significant bit first."""

    def __init__(self):
        self.value = 0
        self.count = 0

    def put(self, value, width):
        self.value = (self.value << width) | (value & ((1 << width) - 1))
        self.count += width

    def bytes(self):
        pad = (-self.count) % 8
        return (self.value << pad).to_bytes((self.count + pad) // 8, "big") if self.count else b""


def signed_width(*values):
    width = 1
    while any(not -(1 << (width - 1)) <= v < (1 << (width - 1)) for v in values):
        width += 1
    return width


def rect(xmin, xmax, ymin, ymax):
    bits = Bits()
    width = signed_width(xmin, xmax, ymin, ymax)
    bits.put(width, 5)
    for v in (xmin, xmax, ymin, ymax):
        bits.put(v, width)
    return bits.bytes()


def matrix(text):
    sx, sy, r0, r1, tx, ty = (float(v) for v in text.split(","))
    bits = Bits()
    # The scale and the rotate/skew pairs (16.16 fixed point): a flag, a
    # width and the two values when present.
    for pair, absent in (((sx, sy), (1, 1)), ((r0, r1), (0, 0))):
        present = pair != absent
        bits.put(int(present), 1)
        if present:
            values = [round(v * 65536) for v in pair]
            width = signed_width(*values)
            bits.put(width, 5)
            for v in values:
                bits.put(v, width)
    translate = [round(tx), round(ty)]
    width = signed_width(*translate) if translate != [0, 0] else 0
    bits.put(width, 5)
    for v in translate if width else []:
        bits.put(v, width)
    return bits.bytes()


def cxform(text, with_alpha):
    values = [number(v) for v in text.split(",")]
    channels = 4 if with_alpha else 3
    if len(values) != 2 * channels:
        raise AsmError("cxform needs %d values" % (2 * channels))
    bits = Bits()
    width = signed_width(*values)
    bits.put(1, 1)  # addends
    bits.put(1, 1)  # multipliers
    bits.put(width, 4)
    for v in values:
        bits.put(v, width)
    return bits.bytes()


def rgb(text):
    return bytes.fromhex(text)


def jpeg_segments(data):
    """Splits a JPEG into (marker, segment bytes) up to its scan."""
    if data[:2] != b"\xff\xd8":
        raise AsmError("not a JPEG file")
    segments, at = [], 2
    while at < len(data):
        marker = data[at + 1]
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        if marker == 0xDA:  # the scan runs to the end
            segments.append((marker, data[at:]))
            break
        segments.append((marker, data[at:at + 2 + length]))
        at += 2 + length
    return segments


def jpeg_tables(data):
    tables = b"".join(seg for marker, seg in jpeg_segments(data) if marker in (0xDB, 0xC4))
    return b"\xff\xd8" + tables + b"\xff\xd9"


def jpeg_image(data):
    rest = b"".join(seg for marker, seg in jpeg_segments(data) if marker not in (0xDB, 0xC4))
    return b"\xff\xd8" + rest


class Assembler:
    def __init__(self, include_dirs, base_dir):
        self.include_dirs = include_dirs + [base_dir]
        self.version = 6

    def read_file(self, name):
        for folder in self.include_dirs:
            path = os.path.join(folder, name)
            if os.path.exists(path):
                with open(path, "rb") as f:
                    return f.read()
        raise AsmError("cannot find " + name)

    def tag(self, type_, data, fields):
        length = number(fields["length"]) if "length" in fields else len(data)
        if length >= 0x3F or "long" in fields:
            return u16(type_ << 6 | 0x3F) + u32(length) + data
        return u16(type_ << 6 | length) + data

    def tags(self, lines):
        out = b""
        while lines:
            name, fields = lines.pop(0)
            if name == "EndSprite":
                return out, True
            if name == "Raw":
                out += bytes.fromhex(fields.get("hex", ""))
                continue
            if name == "DefineSprite":
                body, closed = self.tags(lines)
                if not closed:
                    raise AsmError("DefineSprite without EndSprite")
                data = u16(number(fields["id"])) + u16(number(fields.get("frames", "1"))) + body
                out += self.tag(39, data, fields)
                continue
            if name == "Tag":
                out += self.tag(number(fields["type"]), bytes.fromhex(fields.get("hex", "")), fields)
                continue
            if name not in TAG_TYPES:
                raise AsmError("unknown tag " + name)
            out += self.tag(TAG_TYPES[name], self.tag_data(name, fields), fields)
        return out, False

    def tag_data(self, name, f):
        if name in ("End", "ShowFrame", "Protect"):
            return b""
        if name == "SetBackgroundColor":
            return rgb(f["color"])
        if name == "FrameLabel":
            return cstring(f["name"])
        if name == "PlaceObject":
            data = u16(number(f["id"])) + u16(number(f["depth"])) + matrix(f.get("matrix", "1,1,0,0,0,0"))
            return data + (cxform(f["cxform"], False) if "cxform" in f else b"")
        if name == "PlaceObject2":
            return self.place_object_2(f)
        if name == "RemoveObject":
            return u16(number(f["id"])) + u16(number(f["depth"]))
        if name == "RemoveObject2":
            return u16(number(f["depth"]))
        if name in ("DefineBitsLossless", "DefineBitsLossless2"):
            return self.lossless(f, name == "DefineBitsLossless2")
        if name == "JPEGTables":
            return jpeg_tables(self.read_file(f["jpeg"]))
        if name == "DefineBits":
            return u16(number(f["id"])) + jpeg_image(self.read_file(f["jpeg"]))
        if name == "DefineBitsJPEG2":
            jpeg = self.read_file(f["jpeg"]) if "jpeg" in f else b""
            return u16(number(f["id"])) + bytes.fromhex(f.get("prefix", "")) + jpeg
        if name == "DefineBitsJPEG3":
            jpeg = self.read_file(f["jpeg"])
            width, height = jpeg_size(jpeg)
            alpha = zlib.compress(bytes([number(f.get("alpha", "255"))]) * (width * height))
            return u16(number(f["id"])) + u32(len(jpeg)) + jpeg + alpha
        if name == "ExportAssets":
            entries = [(number(k), v) for k, v in f.items() if k[0].isdigit()]
            return u16(len(entries)) + b"".join(u16(i) + cstring(s) for i, s in entries)
        if name == "ImportAssets":
            entries = [(number(k), v) for k, v in f.items() if k[0].isdigit()]
            return cstring(f["url"]) + u16(len(entries)) + b"".join(u16(i) + cstring(s) for i, s in entries)
        raise AsmError("no fields for " + name)

    def place_object_2(self, f):
        events = f.get("event", [])
        flags = [bool(events), "clipdepth" in f, "name" in f, "ratio" in f, "cxform" in f, "matrix" in f, "id" in f,
                 "move" in f]
        data = u8(sum(bit << (7 - i) for i, bit in enumerate(flags))) + u16(number(f["depth"]))
        if "id" in f:
            data += u16(number(f["id"]))
        if "matrix" in f:
            data += matrix(f["matrix"])
        if "cxform" in f:
            data += cxform(f["cxform"], True)
        if "ratio" in f:
            data += u16(number(f["ratio"]))
        if "name" in f:
            data += cstring(f["name"])
        if "clipdepth" in f:
            data += u16(number(f["clipdepth"]))
        if events:
            flag_field = u32 if self.version >= 6 else u16
            records, every = b"", 0
            for event in events:
                parts = event.split(":")
                event_flags, body = number(parts[0]), bytes.fromhex(parts[1])
                length = number(parts[2]) if len(parts) > 2 else len(body)
                every |= event_flags
                records += flag_field(event_flags) + u32(length) + body
            data += u16(0) + flag_field(every) + records + flag_field(0)
        return data

    def lossless(self, f, with_alpha):
        fmt, width, height = number(f["format"]), number(f["width"]), number(f["height"])
        pixels = [v for v in f.get("pixels", "").split(",") if v]
        head = u16(number(f["id"])) + u8(fmt) + u16(width) + u16(height)
        if fmt == 3:
            colors = [bytes.fromhex(c) for c in f["colors"].split(",")]
            pitch = (width + 3) & ~3
            rows = b"".join(bytes(number(p) for p in pixels[y * width:(y + 1) * width]).ljust(pitch, b"\0")
                            for y in range(height))
            return head + u8(len(colors) - 1) + zlib.compress(b"".join(colors) + rows)
        if fmt == 4:
            pitch = (width * 2 + 3) & ~3
            rows = b"".join(b"".join(struct.pack(">H", int(p, 16)) for p in pixels[y * width:(y + 1) * width])
                            .ljust(pitch, b"\0") for y in range(height))
            return head + zlib.compress(rows)
        return head + zlib.compress(b"".join(bytes.fromhex(p) for p in pixels))


def jpeg_size(data):
    for marker, seg in jpeg_segments(data):
        if 0xC0 <= marker <= 0xC2:
            height, width = struct.unpack(">HH", seg[5:9])
            return width, height
    raise AsmError("JPEG without a frame header")


def parse(text):
    lines = []
    for raw in text.splitlines():
        words = shlex.split(raw, comments=True)
        if not words:
            continue
        fields = {}
        for word in words[1:]:
            key, _, value = word.partition("=")
            if key == "event":
                fields.setdefault("event", []).append(value)
            else:
                fields[key] = value if value else True
        lines.append((words[0], fields))
    return lines


def assemble(text, include_dirs, base_dir, compress=False):
    lines = parse(text)
    if not lines or lines[0][0] != "header":
        raise AsmError("the description starts with its header line")
    header = lines.pop(0)[1]
    asm = Assembler(include_dirs, base_dir)
    asm.version = number(header.get("version", "6"))
    if "rect" in header:
        bounds = [number(v) for v in header["rect"].split(",")]
    else:
        bounds = [0, number(header.get("width", "550")) * 20, 0, number(header.get("height", "400")) * 20]
    rate = round(float(header.get("rate", "12")) * 256)
    body = rect(*bounds) + u16(rate) + u16(number(header.get("frames", "1")))
    tags, closed = asm.tags(lines)
    if closed:
        raise AsmError("EndSprite without DefineSprite")
    body += tags
    length = number(header["filelength"]) if "filelength" in header else 8 + len(body)
    compressed = compress or header.get("compress", "no") == "yes"
    signature = b"CWS" if compressed else b"FWS"
    return signature + u8(asm.version) + u32(length) + (zlib.compress(body) if compressed else body)


def main():
    parser = argparse.ArgumentParser(description="Assembles an SWF movie from a text description.")
    parser.add_argument("-I", dest="include", action="append", default=[], help="folder of JPEG files")
    parser.add_argument("--compress", action="store_true", help='write a "CWS" movie')
    parser.add_argument("description")
    parser.add_argument("output")
    args = parser.parse_args()
    with open(args.description, encoding="utf-8") as f:
        text = f.read()
    try:
        movie = assemble(text, args.include, os.path.dirname(os.path.abspath(args.description)), args.compress)
    except (AsmError, KeyError, ValueError) as error:
        print("swfasm: %s: %s" % (args.description, error), file=sys.stderr)
        return 1
    with open(args.output, "wb") as f:
        f.write(movie)
    return 0


if __name__ == "__main__":
    sys.exit(main())
