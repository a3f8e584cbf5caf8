#!/usr/bin/env python3
"""Checks that every source and test file includes headers of its own layer
and the layers beneath it only. Usage: check_layers.py SOURCE_ROOT"""
import pathlib
import re
import sys

# Each layer with the layers directly beneath it; the allowed set is the closure.
BELOW = {
    "platform": [],
    "core": ["platform"],
    "render": ["core"],
    "audio": ["core"],
    "swf": ["render", "audio"],
    "ui": ["swf"],
    "well": ["ui"],
    "app": ["well"],
    "board": ["app"],
    "game": ["board"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([a-z_]+)/', re.MULTILINE)


def allowed(layer):
    seen = {layer}
    stack = [layer]
    while stack:
        for lower in BELOW[stack.pop()]:
            if lower not in seen:
                seen.add(lower)
                stack.append(lower)
    return seen


def main():
    root = pathlib.Path(sys.argv[1])
    faults = []
    for top in ("src", "tests", "fuzz", "bench"):
        for layer in BELOW:
            folder = root / top / layer
            if not folder.is_dir():
                continue
            ok = allowed(layer)
            for path in sorted(folder.rglob("*")):
                if path.suffix not in (".h", ".cpp"):
                    continue
                for included in INCLUDE.findall(path.read_text(errors="replace")):
                    if included in BELOW and included not in ok:
                        faults.append(f"{path.relative_to(root)} includes a header of layer '{included}'")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
