#!/usr/bin/env python3
"""Writes the game's levels from their text maps into the board's saved form.

Each map in tools/levels/NAME.map becomes data/level/NAME.lua, and its entry
(background, colours, time) goes into data/level/level_data.lua below the
line MARKER: what stands above that line is written by hand and kept as it
is. A level is made again only when it is older than this script or its map.

A map starts with "Key = value" lines (Background, Colors as colour names
separated by spaces, Timer in minutes) and "--" comments, then one text row
per row of cells, all of one width:

    .   no floor          =   metal floor       #   sand floor
    _   bare floor        S   a racer's start block on sand
    0-9 the milestone of that number on sand (the race's course, in order)

Barriers run along every edge between a cell with floor and one without,
joined into straight runs, so the racers stay on the floor.
"""
import argparse
import os
import sys

MARKER = "-- Written by tools/make_levels.py from tools/levels/: do not edit below."
CELL_WIDTH = 0.05625
CELL_HEIGHT = 0.075
MAX_SIDE = 256
FLOORS = {"=": 1, "#": 2, "_": 5, "S": 2}
KEYS = ("Background", "Colors", "Timer")


class MapError(Exception):
    pass


def read_map(path):
    """The map's keys and its rows of cells."""
    keys, rows = {}, []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not rows and (not line.strip() or line.startswith("--")):
                continue
            if not rows and "=" in line and line.split("=", 1)[0].strip() in KEYS:
                key, value = (part.strip() for part in line.split("=", 1))
                keys[key] = value
                continue
            if not line.strip():
                continue
            for c in line:
                if c != "." and c not in FLOORS and not c.isdigit():
                    raise MapError("%s:%d: unknown cell %r" % (path, number, c))
            rows.append(line)
    if not rows:
        raise MapError("%s: no rows" % path)
    if any(len(row) != len(rows[0]) for row in rows):
        raise MapError("%s: rows of different widths" % path)
    if len(rows) > MAX_SIDE or len(rows[0]) > MAX_SIDE:
        raise MapError("%s: more than %d cells a side" % (path, MAX_SIDE))
    for key in KEYS:
        if key not in keys:
            raise MapError("%s: no %s" % (path, key))
    return keys, rows


def is_floor(rows, x, y):
    return 0 <= y < len(rows) and 0 <= x < len(rows[y]) and rows[y][x] != "."


def barriers(rows):
    """The edges between floor and no floor, joined into straight runs, in
    board positions: (x1, y1, x2, y2)."""
    height, width = len(rows), len(rows[0])
    runs = []
    # Horizontal edges: above row y, for y = 0 .. height.
    for y in range(height + 1):
        start = None
        for x in range(width + 1):
            edge = x < width and is_floor(rows, x, y) != is_floor(rows, x, y - 1)
            if edge and start is None:
                start = x
            elif not edge and start is not None:
                runs.append((start * CELL_WIDTH, y * CELL_HEIGHT, x * CELL_WIDTH, y * CELL_HEIGHT))
                start = None
    # Vertical edges: left of column x.
    for x in range(width + 1):
        start = None
        for y in range(height + 1):
            edge = y < height and is_floor(rows, x, y) != is_floor(rows, x - 1, y)
            if edge and start is None:
                start = y
            elif not edge and start is not None:
                runs.append((x * CELL_WIDTH, start * CELL_HEIGHT, x * CELL_WIDTH, y * CELL_HEIGHT))
                start = None
    return runs


def level_text(name, keys, rows):
    colours = keys["Colors"].split()
    out = ["-- The level %s, written by tools/make_levels.py from tools/levels/%s.map." % (name, name), ""]
    out += ["QOR = {", "   Width = %d," % len(rows[0]), "   Height = %d," % len(rows),
            '   Background = "%s",' % keys["Background"], "   Colors = {"]
    out += ["      %s = 1," % colour for colour in colours]
    out += ["   },", "}", "", "Blocks = {"]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c == "S":
                kind = "qor_startblock"
            elif c.isdigit():
                kind = "qor_milestone[%s]" % c
            else:
                continue
            out.append('   { Type = "%s", Color = "none", X = %d, Y = %d, Width = 1, Height = 1 },' % (kind, x, y))
    out += ["}", "", "BackgroundTiles = {"]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c != ".":
                out.append("   { Type = %d, Index = %d, Webbed = 0, X = %d, Y = %d }," %
                           (FLOORS.get(c, 2), (x + y) % 3 + 1, x, y))
    out += ["}", "", "Barriers = {"]
    for x1, y1, x2, y2 in barriers(rows):
        out.append("   { From = { %.6f, %.6f }, To = { %.6f, %.6f } }," % (x1, y1, x2, y2))
    out += ["}", "", "Info = {", '   Background = "%s",' % keys["Background"], '   Effect = "none",', "}", ""]
    return "\n".join(out)


def data_entry(name, keys):
    out = ["%s = {" % name, '   Background = "%s",' % keys["Background"]]
    out += ["   %s = 1," % colour for colour in keys["Colors"].split()]
    out += ["   Timer = %s," % keys["Timer"], "}", ""]
    return "\n".join(out)


def write(path, text):
    partial = path + ".part"
    with open(partial, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(partial, path)


def stale(path, sources):
    return not os.path.exists(path) or any(os.path.getmtime(path) <= os.path.getmtime(s) for s in sources)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("maps", help="the folder of the text maps")
    parser.add_argument("levels", help="the folder the levels go to (data/level)")
    args = parser.parse_args()
    names = sorted(f[:-4] for f in os.listdir(args.maps) if f.endswith(".map"))
    entries = []
    try:
        for name in names:
            source = os.path.join(args.maps, name + ".map")
            keys, rows = read_map(source)
            entries.append(data_entry(name, keys))
            target = os.path.join(args.levels, name + ".lua")
            if stale(target, [__file__, source]):
                write(target, level_text(name, keys, rows))
    except (MapError, ValueError) as error:
        sys.exit("make_levels: %s" % error)
    # The hand-written entries stay; the written ones follow the marker.
    data_path = os.path.join(args.levels, "level_data.lua")
    with open(data_path, encoding="utf-8") as f:
        text = f.read()
    kept = text.split(MARKER, 1)[0].rstrip("\n")
    updated = kept + "\n\n" + MARKER + "\n\n" + "\n".join(entries)
    if updated != text:
        write(data_path, updated)


if __name__ == "__main__":
    main()
