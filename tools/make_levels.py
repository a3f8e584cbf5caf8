#!/usr/bin/env python3
"""Writes the game's levels from their text maps into the board's saved form.

Each map in tools/levels/NAME.map becomes data/level/NAME.lua, and its entry
(background, colours, time) goes into data/level/level_data.lua, which this
script alone writes. A level is made again only when it is older than this
script or its map.

A map starts with "Key = value" lines and "--" comments, then one text row
per row of cells, all of one width. The keys:

    Background   the room's background image
    Colors       the colour names in play, separated by spaces
    Timer        the room's time in minutes
    Origin       optional: the board cell "X Y" of the first row's first
                 character (0 0 by default); the board reaches just past the
                 map's last row and column
    Place        repeatable: "TYPE COLOUR X Y" puts a block on a board cell;
                 tombs, nests and treasures take 2 x 2 cells, the rest one;
                 a nest stands on no floor, whatever the map has there
    Rival        optional: the board cell "X Y" the rival starts on

The cells:

    .   no floor          =   metal floor       #   sand floor
    +   cracked sand      *   gold floor        _   bare floor
    %   webbed sand       r   a rock on sand    ?   a random block on sand
    S   a racer's start block on sand
    0-9 the milestone of that number on sand (the race's course, in order)

A map with racers' start blocks gets barriers along every edge between a cell
with floor and one without, joined into straight runs, so the racers stay on
the floor.
"""
import argparse
import os
import sys

CELL_WIDTH = 0.05625
CELL_HEIGHT = 0.075
MAX_SIDE = 256
FLOORS = {"=": 1, "#": 2, "+": 3, "*": 4, "_": 5, "%": 2, "r": 2, "?": 2, "S": 2}
WEBBED = "%"
KEYS = ("Background", "Colors", "Timer")
OPTIONAL_KEYS = ("Origin", "Rival")
DOUBLE_SIZED = ("qor_entrance", "qor_exit", "qor_milestone", "nest")
NEST = "nest"


class MapError(Exception):
    pass


def read_map(path):
    """The map's keys and its rows of cells."""
    keys, rows, places = {}, [], []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not rows and (not line.strip() or line.startswith("--")):
                continue
            if not rows and "=" in line and line.split("=", 1)[0].strip() == "Place":
                places.append(read_place(path, number, line.split("=", 1)[1]))
                continue
            if not rows and "=" in line and line.split("=", 1)[0].strip() in KEYS + OPTIONAL_KEYS:
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
    return keys, rows, places


def read_place(path, number, text):
    """A placed block: (type, colour, x, y, width, height)."""
    parts = text.split()
    if len(parts) != 4:
        raise MapError("%s:%d: a place needs TYPE COLOUR X Y" % (path, number))
    kind, colour = parts[0], parts[1]
    x, y = cell_pair(path, number, parts[2:])
    side = 2 if any(word in kind for word in DOUBLE_SIZED) else 1
    return kind, colour, x, y, side, side


def cell_pair(path, number, parts):
    try:
        x, y = (int(p) for p in parts)
    except ValueError:
        raise MapError("%s:%d: a cell is two whole numbers" % (path, number))
    if x < 0 or y < 0:
        raise MapError("%s:%d: a cell lies below 0" % (path, number))
    return x, y


def origin_of(keys):
    return cell_pair("Origin", 0, keys["Origin"].split()) if "Origin" in keys else (0, 0)


def is_floor(rows, x, y):
    return 0 <= y < len(rows) and 0 <= x < len(rows[y]) and rows[y][x] != "."


def barriers(rows, ox, oy):
    """The edges between floor and no floor, joined into straight runs, in
    board positions of a map whose first cell is the board's (ox, oy):
    (x1, y1, x2, y2)."""
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
                runs.append(((ox + start) * CELL_WIDTH, (oy + y) * CELL_HEIGHT, (ox + x) * CELL_WIDTH, (oy + y) * CELL_HEIGHT))
                start = None
    # Vertical edges: left of column x.
    for x in range(width + 1):
        start = None
        for y in range(height + 1):
            edge = y < height and is_floor(rows, x, y) != is_floor(rows, x - 1, y)
            if edge and start is None:
                start = y
            elif not edge and start is not None:
                runs.append(((ox + x) * CELL_WIDTH, (oy + start) * CELL_HEIGHT, (ox + x) * CELL_WIDTH, (oy + y) * CELL_HEIGHT))
                start = None
    return runs


def level_text(name, keys, rows, places):
    colours = keys["Colors"].split()
    ox, oy = origin_of(keys)
    out = ["-- The level %s, written by tools/make_levels.py from tools/levels/%s.map." % (name, name), ""]
    out += ["QOR = {", "   Width = %d," % (ox + len(rows[0])), "   Height = %d," % (oy + len(rows)),
            '   Background = "%s",' % keys["Background"], "   Colors = {"]
    out += ["      %s = 1," % colour for colour in colours]
    out += ["   },", "}", "", "Blocks = {"]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            kind = GRID_BLOCKS.get(c) or ("qor_milestone[%s]" % c if c.isdigit() else None)
            if kind:
                out.append(block_line(kind, "none", ox + x, oy + y, 1, 1))
    out += [block_line(*place) for place in places]
    out += ["}", "", "BackgroundTiles = {"]
    # The floor under a nest is written as none: the nest takes it away as
    # it is placed, and this table is read after the blocks.
    nested = nest_cells(places)
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c == ".":
                continue
            if (ox + x, oy + y) in nested:
                floor, webbed = 0, 0
            else:
                floor, webbed = FLOORS.get(c, 2), 1 if c == WEBBED else 0
            out.append("   { Type = %d, Index = %d, Webbed = %d, X = %d, Y = %d }," %
                       (floor, (x + y) % 3 + 1, webbed, ox + x, oy + y))
    out.append("}")
    if "S" in "".join(rows):
        out += ["", "Barriers = {"]
        for x1, y1, x2, y2 in barriers(rows, ox, oy):
            out.append("   { From = { %.6f, %.6f }, To = { %.6f, %.6f } }," % (x1, y1, x2, y2))
        out.append("}")
    if "Rival" in keys:
        rx, ry = cell_pair("Rival", 0, keys["Rival"].split())
        out += ["", "Spiders = {", "   { ID = 1, X = %d, Y = %d, Dir = 1 }," % (rx, ry), "}"]
    out += ["", "Info = {", '   Background = "%s",' % keys["Background"], '   Effect = "none",', "}", ""]
    return "\n".join(out)


def nest_cells(places):
    """The board cells the placed nests cover."""
    return {(x + dx, y + dy) for kind, _, x, y, width, height in places if NEST in kind
            for dx in range(width) for dy in range(height)}


GRID_BLOCKS = {"S": "qor_startblock", "r": "qor_rock", "?": "qor_random_block"}


def block_line(kind, colour, x, y, width, height):
    return ('   { Type = "%s", Color = "%s", X = %d, Y = %d, Width = %d, Height = %d },' %
            (kind, colour, x, y, width, height))


def data_entry(name, keys):
    out = ["%s = {" % name, '   Background = "%s",' % keys["Background"]]
    out += ["   %s = 1," % colour for colour in keys["Colors"].split()]
    out += ["   Timer = %s," % keys["Timer"], "}", ""]
    return "\n".join(out)


def write(path, text):
    # Aside under this process's own name: another build may write the same file at once.
    partial = "%s.%d.part" % (path, os.getpid())
    os.makedirs(os.path.dirname(path), exist_ok=True)  # the folder is not kept in a fresh checkout
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
            keys, rows, places = read_map(source)
            entries.append(data_entry(name, keys))
            target = os.path.join(args.levels, name + ".lua")
            if stale(target, [__file__, source]):
                write(target, level_text(name, keys, rows, places))
    except (MapError, ValueError) as error:
        sys.exit("make_levels: %s" % error)
    data_path = os.path.join(args.levels, "level_data.lua")
    updated = DATA_HEADER + "\n".join(entries)
    text = None
    if os.path.exists(data_path):
        with open(data_path, encoding="utf-8") as f:
            text = f.read()
    if updated != text:
        write(data_path, updated)


DATA_HEADER = """-- What each level of the game looks like and how long it lasts: one table per
-- level, named after the level file (without folder and ".lua"). A colour is
-- in play when its key is 1; Timer is the level's time in minutes.
-- Written by tools/make_levels.py from tools/levels/: do not edit.

"""


if __name__ == "__main__":
    main()
