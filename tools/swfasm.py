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
    PlaceObject2 depth=1 id=5 clipevents  (clip events with their actions)
      ClipEvent flags=0x1
        ...actions...
      EndClipEvent
    EndPlace
    DefineSprite id=3 frames=1
      ...tags of the sprite...
    EndSprite
    DefineButton id=6                    (records, then the release actions)
      Record states=up,over,down,hit id=1 depth=1 [matrix=...]
      Actions
        ...actions...
      EndActions
    EndButton
    DefineButton2 id=7 [menu] [actionoffset=N]
      Record states=up,hit id=1 depth=1 [matrix=...] [cxform=...]
      Condition flags=0x08               (BUTTONCONDACTION; [offset=N])
        ...actions...
      EndCondition
    EndButton
    DefineButtonSound id=7 rollout=ID[:stop][:loops=N] rollover=... press=... release=...
    DefineSound id=9 format=pcm16|adpcm|pcm8|nellymoser rate=5512|11025|22050|44100 [stereo]
                tone=HZ,SAMPLES[,AMPLITUDE] [fade] [bits=2..5] [count=N]
                (a sine of SAMPLES samples a channel, fading out to silence with
                fade; ADPCM with codes of `bits` bits, 4 unless given; count
                overrides the stored sample count)
    StartSound id=9 [stop] [loops=N]
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
    DoAction                             (actions one a line, then an End action)
      ...
    EndAction
    DoInitAction sprite=3
      ...
    EndAction

Actions go by their interpreter names: one-byte actions alone (add, trace,
get_var, call_method...; op=0x2A for any code), the others with operands:

    push s:text f:1.5 null undefined r:1 true false d:2.5 i:7 c:0 C:300
    decl_dict first second "third text"      (the constant pool)
    goto_frame 3 | goto_frame_lbl intro | goto_frame_exp 1 | set_target clip
    get_url URL TARGET | get_url2 [METHOD] | store_register 1 | call_frame
    wait_for_frame 2 1 | wait_for_fr_exp 1
    goto LABEL | branch_if_true LABEL | with end=LABEL
    func NAME end=LABEL [PARAM]...            (NAME - for none)
    function2 NAME end=LABEL regs=3 flags=0x0 [R:PARAM]...
    LABEL:                                    (a position)
    bytes 960200                              (raw bytes)

Jumps and bodies end at their label; each long action takes length=N to
store another length.

Shapes (DefineShape2 and DefineShape3 alike; colours RRGGBB[AA], the alpha
written by DefineShape3 only; coordinates absolute, in twips):

    DefineShape id=1 bounds=XMIN,XMAX,YMIN,YMAX
      Fill color=ff0000 [repeat=N]
      Fill type=linear|radial matrix=SX,SY,R0,R1,TX,TY stops=0:ff0000,255:0000ff
      Fill type=bitmap|clipped bitmap=4 matrix=...
      Line width=20 color=000000 [repeat=N]
      Style [move=X,Y] [fill0=N] [fill1=N] [line=N]
      Edge to=X,Y                        (straight)
      Curve control=X,Y to=X,Y
      NewStyles                          (then its Fill and Line lines)
    EndShape

The style counts, fill bits and line bits follow from the lines; fills=N,
lines=N, fillbits=N and linebits=N on DefineShape or NewStyles override
them. DefineMorphShape takes start=RECT end=RECT, then MorphFill (solid
color=C end=C; linear or radial matrix=M endmatrix=M stops=R:C,...
endstops=R:C,...; bitmap or clipped bitmap=ID matrix=M endmatrix=M) and
MorphLine width=W endwidth=W color=C endcolor=C lines, the start shape's
records, EndEdges, the end shape's records and EndShape; its colours are
RGBA.

Fonts (glyph outlines in a 1024-unit em square, y down, drawn like shapes
with fill 1; codes=C,C,... one per glyph, in decimal or hex):

    DefineFont id=1
      Glyph
        Style move=X,Y fill0=1
        Edge to=X,Y
        Curve control=X,Y to=X,Y
      EndGlyph
    EndFont
    DefineFontInfo id=1 name=Sans codes=65,66 [wide] [small] [shiftjis] [ansi] [italic] [bold]
    DefineFont2 id=2 name=Sans codes=65,66 [wide] [wideoffsets] [italic] [bold] [small] [shiftjis]
                [ansi] [language=N] [codetable=N] [layout ascent=A descent=D leading=L
                advances=A,A kerning=C:C:ADJUST,...]
      Glyph ... EndGlyph
    EndFont

(codetable=N stores another offset of the code table than its own.)

Static text (DefineText stores RGB colours, DefineText2 RGBA), one record
a line, each with its style changes and its glyphs as INDEX:ADVANCE pairs;
the glyph and advance bits follow from the values unless given, and count=N
stores another glyph count:

    DefineText id=5 bounds=XMIN,XMAX,YMIN,YMAX [matrix=...] [glyphbits=N] [advancebits=N]
      Record [font=1 height=400] [color=RRGGBB[AA]] [x=X] [y=Y] glyphs=0:600,1:600 [count=N]
    EndText

An edit text field (a layout block is written when any of its values is
given; a quoted text may hold \\n, \\r, \\b and \\\\):

    DefineEditText id=6 bounds=XMIN,XMAX,YMIN,YMAX [font=1 height=400] [color=RRGGBBAA]
                   [maxlength=N] [align=left|right|center|justify|N] [leftmargin=N]
                   [rightmargin=N] [indent=N] [leading=N] [variable=NAME] [text=TEXT]
                   [wordwrap] [multiline] [password] [readonly] [autosize] [noselect]
                   [border] [html] [outlines]

Lines that fill the ".gsc" cache file written beside the movie (OUT.swf.gsc),
"gsc" version 4, its font block and a character record a shape:

    CacheTexture width=W height=H [fill=HH] [pixels=HEX]   (one alpha texture)
    CacheFont size=96                    (the next font, in ascending id order)
    CacheGlyph index=I texture=T bounds=XMIN,YMIN,XMAX,YMAX origin=X,Y
    CacheFontCount n=N                   (overrides the font count)
    CacheFontRaw hex=0102                (the whole font block, as given)

The font block is empty (no texture, no font) without these lines. Then:

    CacheShape id=1 [count=N]            (N overrides the tessellation count)
    CacheTessellation tolerance=15 mesh=X,Y,X,Y,... [mesh=...] outline=STYLE:X,Y,...
                      [meshes=N] [outlines=N]
    CacheRaw hex=0102

The record list ends with id 0xffff unless 'CacheEnd no' is given.

Every tag takes 'long' (the long header form) and length=N (a stored length
other than the data's). Pixel values of the lossless formats: colour-map
indexes (format 3), 15-bit words in hex (format 4), 32-bit words in hex as
stored (format 5: pad or alpha, then red, green, blue). Numbers may be
written in hex with 0x. JPEG files are looked up in the -I folders, then
beside the description.
"""
import argparse
import math
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
    "ImportAssets": 57, "DefineButton": 7, "DefineButton2": 34, "DefineButtonSound": 17,
    "DefineFont": 10, "DefineFontInfo": 13, "DefineFont2": 48, "DefineSound": 14, "StartSound": 15,
    "DefineShape": 2, "DefineShape2": 22, "DefineShape3": 32, "DefineMorphShape": 46,
    "DefineText": 11, "DefineText2": 33, "DefineEditText": 37,
}

CACHE_LINES = ("CacheShape", "CacheTessellation", "CacheRaw", "CacheEnd")
FONT_BLOCK_LINES = ("CacheTexture", "CacheFont", "CacheGlyph", "CacheFontCount", "CacheFontRaw")


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


def color(text, with_alpha):
    value = bytes.fromhex(text)
    if len(value) == 3:
        value += b"\xff"
    return value if with_alpha else value[:3]


def point(text):
    x, y = (number(v) for v in text.split(","))
    return x, y


def count_width(n):
    """Bits of an unsigned style index up to n."""
    width = 0
    while (1 << width) <= n:
        width += 1
    return width


class BitWriter:
    """Bit fields with byte-aligned stretches between them."""

    def __init__(self):
        self.out = b""
        self.bits = Bits()

    def put(self, value, width):
        self.bits.put(value, width)

    def align(self):
        self.out += self.bits.bytes()
        self.bits = Bits()

    def raw(self, data):
        self.align()
        self.out += data

    def bytes(self):
        self.align()
        return self.out


class ShapeWriter:
    """The SHAPE records and style arrays of DefineShape tags and morphs."""

    def __init__(self, tag_type):
        self.tag_type = tag_type

    def with_alpha(self):
        return self.tag_type > 22

    def fill(self, f):
        kind = f.get("type", "solid")
        if kind == "solid":
            return u8(0) + color(f["color"], self.with_alpha())
        if kind in ("linear", "radial"):
            stops = [s.split(":") for s in f["stops"].split(",")] if f.get("stops") else []
            return (u8(0x10 if kind == "linear" else 0x12) + matrix(f.get("matrix", "1,1,0,0,0,0")) + u8(len(stops))
                    + b"".join(u8(number(r)) + color(c, self.with_alpha()) for r, c in stops))
        if kind in ("bitmap", "clipped"):
            return (u8(0x40 if kind == "bitmap" else 0x41) + u16(number(f["bitmap"]))
                    + matrix(f.get("matrix", "1,1,0,0,0,0")))
        return u8(number(kind))

    def line(self, f):
        return u16(number(f["width"])) + color(f["color"], self.with_alpha())

    def fill_count(self, n):
        return u8(0xFF) + u16(n) if n >= 0xFF and self.tag_type > 2 else u8(n)

    @staticmethod
    def line_count(n):
        return u8(0xFF) + u16(n) if n >= 0xFF else u8(n)

    def styles(self, lines, fields):
        """The style arrays of the Fill and Line lines at the front of `lines`."""
        fills, strokes = [], []
        while lines and lines[0][0] in ("Fill", "Line"):
            name, f = lines.pop(0)
            target, data = (fills, self.fill(f)) if name == "Fill" else (strokes, self.line(f))
            target.extend([data] * number(f.get("repeat", "1")))
        fill_n = number(fields.get("fills", str(len(fills))))
        line_n = number(fields.get("lines", str(len(strokes))))
        data = self.fill_count(fill_n) + b"".join(fills) + self.line_count(line_n) + b"".join(strokes)
        fill_bits = number(fields.get("fillbits", str(count_width(len(fills)))))
        line_bits = number(fields.get("linebits", str(count_width(len(strokes)))))
        return data, fill_bits, line_bits

    def records(self, lines, w, fill_bits, line_bits, stop="EndShape"):
        """Shape records up to `stop`, then the end record."""
        pen = (0, 0)
        w.put(fill_bits, 4)
        w.put(line_bits, 4)
        while lines and lines[0][0] != stop:
            name, f = lines.pop(0)
            if name == "Edge":
                to = point(f["to"])
                dx, dy = to[0] - pen[0], to[1] - pen[1]
                width = edge_width(dx, dy)
                w.put(1, 1)
                w.put(1, 1)
                w.put(width - 2, 4)
                if dx and dy:
                    w.put(1, 1)
                    w.put(dx, width)
                    w.put(dy, width)
                else:
                    w.put(0, 1)
                    w.put(1 if dy else 0, 1)
                    w.put(dy if dy else dx, width)
                pen = to
            elif name == "Curve":
                control, to = point(f["control"]), point(f["to"])
                deltas = [control[0] - pen[0], control[1] - pen[1], to[0] - control[0], to[1] - control[1]]
                width = edge_width(*deltas)
                w.put(1, 1)
                w.put(0, 1)
                w.put(width - 2, 4)
                for v in deltas:
                    w.put(v, width)
                pen = to
            elif name in ("Style", "NewStyles"):
                new = name == "NewStyles"
                flags = [new, "line" in f, "fill1" in f, "fill0" in f, "move" in f]
                w.put(0, 1)
                for flag in flags:
                    w.put(1 if flag else 0, 1)
                if "move" in f:
                    pen = point(f["move"])
                    width = signed_width(*pen)
                    w.put(width, 5)
                    w.put(pen[0], width)
                    w.put(pen[1], width)
                for key, width in (("fill0", fill_bits), ("fill1", fill_bits), ("line", line_bits)):
                    if key in f:
                        w.put(number(f[key]), width)
                if new:
                    data, fill_bits, line_bits = self.styles(lines, f)
                    w.raw(data)
                    w.put(fill_bits, 4)
                    w.put(line_bits, 4)
            else:
                raise AsmError("%s inside a shape" % name)
        if not lines:
            raise AsmError("shape without " + stop)
        lines.pop(0)
        w.put(0, 6)

    def shape(self, fields, lines):
        w = BitWriter()
        w.raw(rect(*(number(v) for v in fields["bounds"].split(","))))
        data, fill_bits, line_bits = self.styles(lines, fields)
        w.raw(data)
        self.records(lines, w, fill_bits, line_bits)
        return u16(number(fields["id"])) + w.bytes()

    def morph(self, fields, lines):
        fills, strokes = [], []
        while lines and lines[0][0] in ("MorphFill", "MorphLine"):
            name, f = lines.pop(0)
            (fills if name == "MorphFill" else strokes).append(self.morph_style(name, f))
        styles = (self.fill_count(len(fills)) + b"".join(fills) + self.line_count(len(strokes))
                  + b"".join(strokes))
        start = BitWriter()
        self.records(lines, start, count_width(len(fills)), count_width(len(strokes)), stop="EndEdges")
        end = BitWriter()
        self.records(lines, end, 0, 0)
        body = styles + start.bytes()
        bounds = b"".join(rect(*(number(v) for v in fields[k].split(","))) for k in ("start", "end"))
        return u16(number(fields["id"])) + bounds + u32(len(body)) + body + end.bytes()

    @staticmethod
    def morph_style(name, f):
        if name == "MorphLine":
            return (u16(number(f["width"])) + u16(number(f["endwidth"])) + color(f["color"], True)
                    + color(f["endcolor"], True))
        kind = f.get("type", "solid")
        if kind == "solid":
            return u8(0) + color(f["color"], True) + color(f["end"], True)
        if kind in ("linear", "radial"):
            starts = [s.split(":") for s in f["stops"].split(",")]
            ends = [s.split(":") for s in f["endstops"].split(",")]
            return (u8(0x10 if kind == "linear" else 0x12) + matrix(f.get("matrix", "1,1,0,0,0,0"))
                    + matrix(f.get("endmatrix", "1,1,0,0,0,0")) + u8(len(starts))
                    + b"".join(u8(number(a[0])) + color(a[1], True) + u8(number(b[0])) + color(b[1], True)
                               for a, b in zip(starts, ends)))
        return (u8(0x40 if kind == "bitmap" else 0x41) + u16(number(f["bitmap"]))
                + matrix(f.get("matrix", "1,1,0,0,0,0")) + matrix(f.get("endmatrix", "1,1,0,0,0,0")))


def edge_width(*deltas):
    width = max(2, signed_width(*deltas))
    if width > 17:
        raise AsmError("an edge spans more than 17 bits")
    return width


def cache_values(values):
    return u32(len(values)) + b"".join(struct.pack("<h", v) for v in values)


def cache_line(name, f):
    """The ".gsc" bytes of one cache line."""
    if name == "CacheShape":
        return u16(number(f["id"])) + u32(number(f["count"]))
    if name == "CacheRaw":
        return bytes.fromhex(f.get("hex", ""))
    meshes = [[number(v) for v in m.split(",") if v] for m in f.get("mesh", [])]
    outlines = [(number(o.split(":")[0]), [number(v) for v in o.split(":")[1].split(",") if v])
                for o in f.get("outline", [])]
    data = struct.pack("<f", float(f["tolerance"]))
    data += u32(number(f.get("meshes", str(len(meshes))))) + b"".join(cache_values(m) for m in meshes)
    data += u32(number(f.get("outlines", str(len(outlines)))))
    return data + b"".join(u32(style) + cache_values(v) for style, v in outlines)


def pstring(text):
    data = text.encode("utf-8")
    return u8(len(data)) + data


def font_flags(f, bits):
    return sum(bit for key, bit in bits if key in f)


def codes(f):
    values = [number(v) for v in str(f.get("codes", "")).split(",") if v]
    return b"".join(u16(v) if "wide" in f else u8(v) for v in values)


def glyph_shapes(lines):
    """The SHAPE records of the Glyph blocks up to EndFont."""
    glyphs = []
    while lines and lines[0][0] == "Glyph":
        lines.pop(0)
        w = BitWriter()
        ShapeWriter(2).records(lines, w, 1, 0, stop="EndGlyph")
        glyphs.append(w.bytes())
    if not lines or lines[0][0] != "EndFont":
        raise AsmError("font without EndFont")
    lines.pop(0)
    return glyphs


def font_tag(name, f, lines):
    glyphs = glyph_shapes(lines)
    if name == "DefineFont":
        at, offsets = 2 * len(glyphs), b""
        for g in glyphs:
            offsets += u16(at)
            at += len(g)
        return u16(number(f["id"])) + offsets + b"".join(glyphs)
    wide_offsets = "wideoffsets" in f
    offset = u32 if wide_offsets else u16
    at = (len(glyphs) + 1) * (4 if wide_offsets else 2)
    offsets = b""
    for g in glyphs:
        offsets += offset(at)
        at += len(g)
    table = offsets + offset(number(f.get("codetable", str(at)))) + b"".join(glyphs) + codes(f)
    if "layout" in f:
        advances = [number(v) for v in str(f.get("advances", "")).split(",") if v]
        kerning = [[number(v) for v in k.split(":")] for k in str(f.get("kerning", "")).split(",") if k]
        code = u16 if "wide" in f else u8
        table += b"".join(struct.pack("<h", number(f.get(k, "0"))) for k in ("ascent", "descent", "leading"))
        table += b"".join(struct.pack("<h", a) for a in advances)
        table += rect(0, 0, 0, 0) * len(glyphs)
        table += u16(len(kerning)) + b"".join(code(a) + code(b) + struct.pack("<h", d) for a, b, d in kerning)
    flags = font_flags(f, (("layout", 0x80), ("shiftjis", 0x40), ("small", 0x20), ("ansi", 0x10),
                           ("wideoffsets", 0x08), ("wide", 0x04), ("italic", 0x02), ("bold", 0x01)))
    return (u16(number(f["id"])) + u8(flags) + u8(number(f.get("language", "0"))) + pstring(f.get("name", ""))
            + u16(len(glyphs)) + table)


def text_tag(name, f, lines):
    """DefineText or DefineText2 with the Record lines up to EndText."""
    records = [fields for _, fields in block(lines, "EndText")]
    with_alpha = name == "DefineText2"
    glyphs = [[[number(v) for v in g.split(":")] for g in str(r.get("glyphs", "")).split(",") if g] for r in records]
    indexes = [i for run in glyphs for i, _ in run]
    advances = [a for run in glyphs for _, a in run]
    glyph_bits = number(f.get("glyphbits", str(max(1, count_width(max(indexes, default=0))))))
    advance_bits = number(f.get("advancebits", str(signed_width(*advances) if advances else 1)))
    data = u16(number(f["id"])) + rect(*(number(v) for v in f["bounds"].split(",")))
    data += matrix(f.get("matrix", "1,1,0,0,0,0")) + u8(glyph_bits) + u8(advance_bits)
    for r, run in zip(records, glyphs):
        flags = 0x80 | font_flags(r, (("font", 0x08), ("color", 0x04), ("y", 0x02), ("x", 0x01)))
        data += u8(flags)
        if "font" in r:
            data += u16(number(r["font"]))
        if "color" in r:
            data += color(r["color"], with_alpha)
        for key in ("x", "y"):
            if key in r:
                data += struct.pack("<h", number(r[key]))
        if "font" in r:
            data += u16(number(r.get("height", "1024")))
        w = BitWriter()
        for index, advance in run:
            w.put(index, glyph_bits)
            w.put(advance, advance_bits)
        data += u8(number(r.get("count", str(len(run))))) + w.bytes()
    return data + u8(0)


EDIT_TEXT_ALIGN = {"left": 0, "right": 1, "center": 2, "justify": 3}
EDIT_TEXT_LAYOUT = ("align", "leftmargin", "rightmargin", "indent", "leading")


def text_escapes(text):
    out, at = "", 0
    while at < len(text):
        if text[at] == "\\" and at + 1 < len(text):
            out += {"n": "\n", "r": "\r", "b": "\b", "\\": "\\"}.get(text[at + 1], text[at:at + 2])
            at += 2
        else:
            out += text[at]
            at += 1
    return out


def edit_text(f):
    layout = any(k in f for k in EDIT_TEXT_LAYOUT)
    flags = font_flags(f, (("text", 0x8000), ("wordwrap", 0x4000), ("multiline", 0x2000), ("password", 0x1000),
                           ("readonly", 0x0800), ("color", 0x0400), ("maxlength", 0x0200), ("font", 0x0100),
                           ("autosize", 0x0040), ("noselect", 0x0010), ("border", 0x0008),
                           ("html", 0x0002), ("outlines", 0x0001)))
    if layout:
        flags |= 0x0020
    data = u16(number(f["id"])) + rect(*(number(v) for v in f["bounds"].split(","))) + struct.pack(">H", flags)
    if "font" in f:
        data += u16(number(f["font"])) + u16(number(f.get("height", "240")))
    if "color" in f:
        data += color(f["color"], True)
    if "maxlength" in f:
        data += u16(number(f["maxlength"]))
    if layout:
        align = str(f.get("align", "left"))
        data += u8(EDIT_TEXT_ALIGN[align] if align in EDIT_TEXT_ALIGN else number(align))
        data += u16(number(f.get("leftmargin", "0"))) + u16(number(f.get("rightmargin", "0")))
        data += struct.pack("<hh", number(f.get("indent", "0")), number(f.get("leading", "0")))
    data += cstring(str(f.get("variable", "")))
    if "text" in f:
        data += cstring(text_escapes(str(f["text"])) if f["text"] is not True else "")
    return data


def font_block(lines):
    """The ".gsc" font block of the font block lines."""
    raw = [f for name, f in lines if name == "CacheFontRaw"]
    if raw:
        return bytes.fromhex(raw[0].get("hex", ""))
    textures, fonts = b"", []
    texture_count = 0
    font_count = None
    for name, f in lines:
        if name == "CacheTexture":
            width, height = number(f["width"]), number(f["height"])
            pixels = bytes.fromhex(f["pixels"]) if "pixels" in f else bytes([number("0x" + f.get("fill", "0"))]) * (
                width * height)
            textures += u16(width) + u16(height) + pixels
            texture_count += 1
        elif name == "CacheFont":
            fonts.append([u16(number(f.get("size", "96"))), []])
        elif name == "CacheGlyph":
            values = [float(v) for v in f["bounds"].split(",") + f["origin"].split(",")]
            fonts[-1][1].append(struct.pack("<iH6f", number(f["index"]), number(f["texture"]), *values))
        elif name == "CacheFontCount":
            font_count = number(f["n"])
    data = u16(texture_count) + textures + u16(len(fonts) if font_count is None else font_count)
    return data + b"".join(size + u32(len(glyphs)) + b"".join(glyphs) for size, glyphs in fonts)


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
        self.cache = []  # the cache lines, in order

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
            if name in CACHE_LINES or name in FONT_BLOCK_LINES:
                self.cache.append((name, fields))
                continue
            if name in ("DefineFont", "DefineFont2"):
                out += self.tag(TAG_TYPES[name], font_tag(name, fields, lines), fields)
                continue
            if name in ("DefineText", "DefineText2"):
                out += self.tag(TAG_TYPES[name], text_tag(name, fields, lines), fields)
                continue
            if name in ("DefineShape", "DefineShape2", "DefineShape3"):
                out += self.tag(TAG_TYPES[name], ShapeWriter(TAG_TYPES[name]).shape(fields, lines), fields)
                continue
            if name == "DefineMorphShape":
                out += self.tag(46, ShapeWriter(46).morph(fields, lines), fields)
                continue
            if name == "PlaceObject2" and "clipevents" in fields:
                fields.setdefault("event", [])
                while lines and lines[0][0] == "ClipEvent":
                    flags = lines.pop(0)[1]["flags"]
                    actions = assemble_actions(block(lines, "EndClipEvent")) + b"\0"
                    fields["event"].append(flags + ":" + actions.hex())
                if not lines or lines.pop(0)[0] != "EndPlace":
                    raise AsmError("PlaceObject2 clipevents without EndPlace")
            if name in ("DefineButton", "DefineButton2"):
                out += self.tag(TAG_TYPES[name], button(name, fields, lines), fields)
                continue
            if name in ("DoAction", "DoInitAction"):
                data = assemble_actions(block(lines, "EndAction")) + b"\0"
                if name == "DoInitAction":
                    data = u16(number(fields["sprite"])) + data
                out += self.tag(12 if name == "DoAction" else 59, data, fields)
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
        if name == "DefineFontInfo":
            flags = font_flags(f, (("small", 0x20), ("shiftjis", 0x10), ("ansi", 0x08), ("italic", 0x04),
                                   ("bold", 0x02), ("wide", 0x01)))
            return u16(number(f["id"])) + pstring(f.get("name", "")) + u8(flags) + codes(f)
        if name == "FrameLabel":
            return cstring(f["name"])
        if name == "DefineEditText":
            return edit_text(f)
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
        if name == "DefineButtonSound":
            return u16(number(f["id"])) + b"".join(button_sound(f.get(event, "0"))
                                                    for event in ("rollout", "rollover", "press", "release"))
        if name == "DefineSound":
            return define_sound(f)
        if name == "StartSound":
            return u16(number(f["id"])) + sound_info("stop" in f, number(f["loops"]) if "loops" in f else None)
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


def block(lines, end):
    """The lines up to the end line, which is taken too."""
    body = []
    while lines and lines[0][0] != end:
        body.append(lines.pop(0))
    if not lines:
        raise AsmError("no " + end)
    lines.pop(0)
    return body


BUTTON_STATES = {"up": 0x01, "over": 0x02, "down": 0x04, "hit": 0x08}


def button(name, fields, lines):
    """A DefineButton or DefineButton2 body: its records, then its actions."""
    records = b""
    while lines and lines[0][0] == "Record":
        f = lines.pop(0)[1]
        flags = sum(BUTTON_STATES[s] for s in f["states"].split(",")) if "states" in f else number(f["flags"])
        records += u8(flags) + u16(number(f["id"])) + u16(number(f.get("depth", "1")))
        records += matrix(f.get("matrix", "1,1,0,0,0,0"))
        if name == "DefineButton2":
            records += cxform(f.get("cxform", "256,256,256,256,0,0,0,0"), True)
    records += u8(0)
    if name == "DefineButton":
        actions = b""
        if lines and lines[0][0] == "Actions":
            lines.pop(0)
            actions = assemble_actions(block(lines, "EndActions"))
        if not lines or lines.pop(0)[0] != "EndButton":
            raise AsmError("DefineButton without EndButton")
        return u16(number(fields["id"])) + records + actions + b"\0"
    conditions = []
    while lines and lines[0][0] == "Condition":
        f = lines.pop(0)[1]
        conditions.append((f, assemble_actions(block(lines, "EndCondition")) + b"\0"))
    if not lines or lines.pop(0)[0] != "EndButton":
        raise AsmError("DefineButton2 without EndButton")
    body = b""
    for at, (f, actions) in enumerate(conditions):
        size = 4 + len(actions)
        offset = number(f["offset"]) if "offset" in f else (0 if at == len(conditions) - 1 else size)
        body += u16(offset) + u16(number(f["flags"])) + actions
    # The action offset counts from its own field: the field, then the records.
    default_offset = 2 + len(records) if conditions else 0
    offset = number(fields["actionoffset"]) if "actionoffset" in fields else default_offset
    return u16(number(fields["id"])) + u8(1 if "menu" in fields else 0) + u16(offset) + records + body


def sound_info(stop, loops):
    """A SOUNDINFO with the stop flag and, unless None, a loop count."""
    flags = (0x20 if stop else 0) | (0x04 if loops is not None else 0)
    return u8(flags) + (u16(loops) if loops is not None else b"")


def button_sound(text):
    """A sound id and, for one that is not 0, its SOUNDINFO."""
    parts = text.split(":")
    sound_id = number(parts[0])
    if sound_id == 0:
        return u16(0)
    loops = [number(p[6:]) for p in parts[1:] if p.startswith("loops=")]
    return u16(sound_id) + sound_info("stop" in parts[1:], loops[0] if loops else None)


SOUND_RATES = (5512, 11025, 22050, 44100)
SOUND_FORMATS = {"pcm16": (3, True), "pcm8": (3, False), "adpcm": (1, True), "nellymoser": (6, True)}
ADPCM_STEPS = (
    7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34, 37, 41, 45, 50, 55, 60, 66, 73, 80, 88, 97,
    107, 118, 130, 143, 157, 173, 190, 209, 230, 253, 279, 307, 337, 371, 408, 449, 494, 544, 598, 658, 724, 796,
    876, 963, 1060, 1166, 1282, 1411, 1552, 1707, 1878, 2066, 2272, 2499, 2749, 3024, 3327, 3660, 4026, 4428, 4871,
    5358, 5894, 6484, 7132, 7845, 8630, 9493, 10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623,
    27086, 29794, 32767)
ADPCM_INDEX_MOVES = {2: (-1, 2), 3: (-1, -1, 2, 4), 4: (-1, -1, -1, -1, 2, 4, 6, 8),
                     5: (-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16)}
ADPCM_BLOCK = 4096


def tone(f, channels):
    """The interleaved 16-bit samples of the sine that `tone` describes."""
    parts = f["tone"].split(",")
    hz, count = number(parts[0]), number(parts[1])
    amplitude = number(parts[2]) if len(parts) > 2 else 16000
    rate = number(f.get("rate", "22050"))
    samples = []
    for i in range(count):
        level = amplitude * (1 - i / count if "fade" in f else 1)
        samples += [int(round(level * math.sin(2 * math.pi * hz * i / rate)))] * channels
    return samples


def adpcm_code(sample, index, target, bits):
    """The code that brings `sample` closest to `target`, and where it leads."""
    best = None
    for code in range(1 << bits):
        magnitude = code & ((1 << (bits - 1)) - 1)
        difference = (ADPCM_STEPS[index] * (2 * magnitude + 1)) >> (bits - 1)
        if code >> (bits - 1):
            difference = -difference
        value = min(max(sample + difference, -32768), 32767)
        if best is None or abs(value - target) < abs(best[1] - target):
            best = (code, value, min(max(index + ADPCM_INDEX_MOVES[bits][magnitude], 0), 88))
    return best


def adpcm(samples, channels, bits):
    """SWF ADPCM: blocks of 4096 samples a channel, each opening raw."""
    w = BitWriter()
    w.put(bits - 2, 2)
    frames = len(samples) // channels
    state = [[0, 0] for _ in range(channels)]
    for frame in range(frames):
        for c in range(channels):
            target = samples[frame * channels + c]
            if frame % ADPCM_BLOCK == 0:
                state[c][0] = target
                w.put(target & 0xFFFF, 16)
                w.put(state[c][1], 6)
            else:
                code, state[c][0], state[c][1] = adpcm_code(state[c][0], state[c][1], target, bits)
                w.put(code, bits)
    w.align()
    return w.bytes()


def define_sound(f):
    format_number, sixteen_bits = SOUND_FORMATS[f["format"]]
    stereo = "stereo" in f
    channels = 2 if stereo else 1
    samples = tone(f, channels)
    if f["format"] == "adpcm":
        data = adpcm(samples, channels, number(f.get("bits", "4")))
    elif f["format"] == "pcm8":
        data = bytes((v >> 8) + 128 for v in samples)
    else:
        data = b"".join(struct.pack("<h", v) for v in samples)
    count = number(f["count"]) if "count" in f else len(samples) // channels
    rate_index = SOUND_RATES.index(number(f.get("rate", "22050")))
    head = format_number << 4 | rate_index << 2 | (2 if sixteen_bits else 0) | (1 if stereo else 0)
    return u16(number(f["id"])) + u8(head) + u32(count) + data


SHORT_ACTIONS = {
    "next_frame": 0x04, "prev_frame": 0x05, "play": 0x06, "stop": 0x07, "toggle_qlty": 0x08,
    "stop_sounds": 0x09, "add": 0x0A, "sub": 0x0B, "mul": 0x0C, "div": 0x0D, "equ": 0x0E, "lt": 0x0F,
    "and": 0x10, "or": 0x11, "not": 0x12, "str_eq": 0x13, "str_len": 0x14, "substr": 0x15, "pop": 0x17,
    "floor": 0x18, "get_var": 0x1C, "set_var": 0x1D, "set_target_exp": 0x20, "str_cat": 0x21,
    "get_prop": 0x22, "set_prop": 0x23, "dup_sprite": 0x24, "rem_sprite": 0x25, "trace": 0x26,
    "start_drag": 0x27, "stop_drag": 0x28, "str_lt": 0x29, "cast_object": 0x2B, "random": 0x30,
    "mb_length": 0x31, "ord": 0x32, "chr": 0x33, "get_timer": 0x34, "substr_mb": 0x35, "ord_mb": 0x36,
    "chr_mb": 0x37, "delete": 0x3A, "delete_all": 0x3B, "set_local": 0x3C, "call_func": 0x3D,
    "return": 0x3E, "mod": 0x3F, "new": 0x40, "decl_local": 0x41, "decl_array": 0x42, "decl_obj": 0x43,
    "type_of": 0x44, "get_target": 0x45, "enumerate": 0x46, "add_t": 0x47, "lt_t": 0x48, "eq_t": 0x49,
    "number": 0x4A, "string": 0x4B, "dup": 0x4C, "swap": 0x4D, "get_member": 0x4E, "set_member": 0x4F,
    "inc": 0x50, "dec": 0x51, "call_method": 0x52, "new_method": 0x53, "is_inst_of": 0x54,
    "enum_object": 0x55, "bit_and": 0x60, "bit_or": 0x61, "bit_xor": 0x62, "shl": 0x63, "asr": 0x64,
    "lsr": 0x65, "eq_strict": 0x66, "gt_t": 0x67, "gt_str": 0x68, "end": 0x00,
}


def push_entry(word):
    """One push entry: a type byte and its data."""
    if word == "null":
        return u8(2)
    if word == "undefined":
        return u8(3)
    if word in ("true", "false"):
        return u8(5) + u8(word == "true")
    kind, sep, value = word.partition(":")
    if not sep:
        raise AsmError("push entry without a type: " + word)
    if kind == "s":
        return u8(0) + cstring(value)
    if kind == "f":
        return u8(1) + struct.pack("<f", float(value))
    if kind == "r":
        return u8(4) + u8(number(value))
    if kind == "b":
        return u8(5) + u8(number(value))
    if kind == "d":
        raw = struct.pack("<d", float(value))
        return u8(6) + raw[4:] + raw[:4]  # the high word first
    if kind == "i":
        return u8(7) + struct.pack("<i", number(value))
    if kind == "c":
        return u8(8) + u8(number(value))
    if kind == "C":
        return u8(9) + u16(number(value))
    raise AsmError("unknown push type " + kind)


def long_action(name, words, fields, position, labels):
    """The code and data of an action of 0x80 and up; `position` is the offset
    after the action, where jumps and bodies count from. Without labels (the
    first pass) every label counts as 0: sizes do not depend on them."""
    def label_offset(label):
        if labels is None:
            return 0
        if label not in labels:
            raise AsmError("unknown label " + label)
        return labels[label] - position

    positional = [w for w in words if "=" not in w]
    if name == "push":
        return 0x96, b"".join(push_entry(w) for w in positional)
    if name == "decl_dict":
        return 0x88, u16(len(positional)) + b"".join(cstring(w) for w in positional)
    if name == "goto_frame":
        return 0x81, u16(number(positional[0]))
    if name == "get_url":
        return 0x83, cstring(positional[0]) + cstring(positional[1])
    if name == "store_register":
        return 0x87, u8(number(positional[0]))
    if name == "wait_for_frame":
        return 0x8A, u16(number(positional[0])) + u8(number(positional[1]))
    if name == "set_target":
        return 0x8B, cstring(positional[0] if positional else "")
    if name == "goto_frame_lbl":
        return 0x8C, cstring(positional[0])
    if name == "wait_for_fr_exp":
        return 0x8D, u8(number(positional[0]))
    if name == "with":
        return 0x94, u16(label_offset(fields["end"]))
    if name == "goto":
        return 0x99, struct.pack("<h", label_offset(positional[0]))
    if name == "get_url2":
        return 0x9A, u8(number(positional[0]) if positional else 0)
    if name == "branch_if_true":
        return 0x9D, struct.pack("<h", label_offset(positional[0]))
    if name == "call_frame":
        return 0x9E, b""
    if name == "goto_frame_exp":
        return 0x9F, u8(number(positional[0]) if positional else 0)
    if name in ("func", "function2"):
        function_name = "" if positional[0] == "-" else positional[0]
        params = positional[1:]
        data = cstring(function_name) + u16(len(params))
        if name == "function2":
            data += u8(number(fields.get("regs", "0"))) + u16(number(fields.get("flags", "0")))
            for param in params:
                reg, _, pname = param.rpartition(":")
                data += u8(number(reg) if reg else 0) + cstring(pname)
        else:
            data += b"".join(cstring(p) for p in params)
        # The body starts after the action; its length is counted from there.
        return (0x8E if name == "function2" else 0x9B), data + u16(label_offset(fields["end"]))
    raise AsmError("unknown action " + name)


def assemble_actions(lines):
    """The byte code of a DoAction's lines, in two passes: the first places
    the labels, the second resolves them."""
    def encode(labels):
        out, places = b"", {}
        for name, fields in lines:
            words = fields["_words"]
            if name.endswith(":"):
                places[name[:-1]] = len(out)
            elif name == "bytes":
                out += bytes.fromhex("".join(words))
            elif name == "op":
                out += u8(number(words[0]))
            elif name in SHORT_ACTIONS:
                out += u8(SHORT_ACTIONS[name])
            else:
                _, data = long_action(name, words, fields, 0, None)
                after = len(out) + 3 + len(data)
                code, data = long_action(name, words, fields, after, labels)
                length = number(fields["length"]) if "length" in fields else len(data)
                out += u8(code) + u16(length) + data
        return out, places

    _, labels = encode(None)
    return encode(labels)[0]


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
            if key in ("event", "mesh", "outline"):
                fields.setdefault(key, []).append(value)
            else:
                fields[key] = value if value else True
        fields["_words"] = words[1:]
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
    movie = signature + u8(asm.version) + u32(length) + (zlib.compress(body) if compressed else body)
    return movie, cache_file(asm.cache)


def cache_file(lines):
    """The ".gsc" file of the cache lines, or None without any."""
    if not lines:
        return None
    data = b"gsc" + u8(4) + font_block([(n, f) for n, f in lines if n in FONT_BLOCK_LINES])
    lines = [(n, f) for n, f in lines if n not in FONT_BLOCK_LINES]
    for at, (name, fields) in enumerate(lines):
        if name == "CacheShape" and "count" not in fields:
            following = [n for n, _ in lines[at + 1:]] + ["CacheShape"]
            fields["count"] = str(following[:following.index("CacheShape")].count("CacheTessellation"))
        if name != "CacheEnd":
            data += cache_line(name, fields)
    if not any(name == "CacheEnd" for name, _ in lines):
        data += u16(0xFFFF)
    return data


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
        movie, cache = assemble(text, args.include, os.path.dirname(os.path.abspath(args.description)),
                                args.compress)
    except (AsmError, KeyError, ValueError) as error:
        print("swfasm: %s: %s" % (args.description, error), file=sys.stderr)
        return 1
    with open(args.output, "wb") as f:
        f.write(movie)
    if cache is not None:
        with open(args.output + ".gsc", "wb") as f:
            f.write(cache)
    return 0


if __name__ == "__main__":
    sys.exit(main())
