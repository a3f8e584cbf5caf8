#!/usr/bin/env python3
"""Reads and writes record-store files, independently of the engine.

  rms_file.py check-reset FILE     exit 0 when FILE holds exactly a reset store
  rms_file.py write-all FOLDER      writes every fixture of FIXTURES as FOLDER/NAME.rms
  rms_file.py check-variables FILE PROFILE INDEX=VALUE...
                                   exit 0 when the profile's game variables hold the values
"""
import os
import struct
import sys

MAGIC = 0x64666C74
VERSION = 32
BLOCK_SIZE = 40780
PROFILES_AT = 30
PROFILE_SIZE = 4075
MAX_PROFILES = 10
TEXT_SIZE = 25
LEVELS_AT, LEVEL_COUNT = 75, 200
VARIABLES_AT, VARIABLE_COUNT = 2475, 300
TROPHIES_AT, TROPHY_COUNT = 3675, 100

# The settings: (offset, struct format, name).
HEADER = [
    (0, "<I", "magic"), (4, "<I", "version"), (8, "<I", "reserved"),
    (12, "<B", "full_screen"), (13, "<B", "reserved_byte"),
    (14, "<f", "sound_volume"), (18, "<f", "music_volume"),
    (22, "<i", "profile_count"), (26, "<i", "current_profile"),
]
TEXTS = [(0, "name"), (25, "language"), (50, "location")]


def reset_store():
    return {
        "magic": MAGIC, "version": VERSION, "reserved": 0, "full_screen": 1, "reserved_byte": 0,
        "sound_volume": 50.0, "music_volume": 50.0, "profile_count": 0, "current_profile": 0,
        "profiles": [new_profile(rank=10000) for _ in range(MAX_PROFILES)],
    }


def new_profile(name=b"", language=b"", location=b"", rank=0):
    return {"name": name, "language": language, "location": location,
            "levels": [(0, 0, rank)] * LEVEL_COUNT,
            "variables": [0] * VARIABLE_COUNT, "trophies": [0] * TROPHY_COUNT}


def encode(store):
    block = bytearray(BLOCK_SIZE)
    for offset, fmt, key in HEADER:
        struct.pack_into(fmt, block, offset, store[key])
    for i, profile in enumerate(store["profiles"]):
        base = PROFILES_AT + PROFILE_SIZE * i
        for offset, key in TEXTS:
            text = profile[key]
            assert len(text) <= TEXT_SIZE
            block[base + offset:base + offset + len(text)] = text
        for n, record in enumerate(profile["levels"]):
            struct.pack_into("<3i", block, base + LEVELS_AT + 12 * n, *record)
        struct.pack_into("<%di" % VARIABLE_COUNT, block, base + VARIABLES_AT, *profile["variables"])
        struct.pack_into("<%di" % TROPHY_COUNT, block, base + TROPHIES_AT, *profile["trophies"])
    return bytes(block)


def decode(block):
    store = {key: struct.unpack_from(fmt, block, offset)[0] for offset, fmt, key in HEADER}
    store["profiles"] = []
    for i in range(MAX_PROFILES):
        base = PROFILES_AT + PROFILE_SIZE * i
        profile = {key: bytes(block[base + offset:base + offset + TEXT_SIZE]).split(b"\0")[0]
                   for offset, key in TEXTS}
        profile["levels"] = [struct.unpack_from("<3i", block, base + LEVELS_AT + 12 * n)
                             for n in range(LEVEL_COUNT)]
        profile["variables"] = list(struct.unpack_from("<%di" % VARIABLE_COUNT, block, base + VARIABLES_AT))
        profile["trophies"] = list(struct.unpack_from("<%di" % TROPHY_COUNT, block, base + TROPHIES_AT))
        store["profiles"].append(profile)
    return store


def check_reset(path):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != BLOCK_SIZE:
        print("size %d, expected %d" % (len(data), BLOCK_SIZE))
        return 1
    store, expected = decode(data), reset_store()
    wrong = [key for key in expected if store[key] != expected[key]]
    if data != encode(expected):
        wrong.append("bytes")
    if wrong:
        print("differs in " + ", ".join(wrong))
        return 1
    print("reset")
    return 0


def check_variables(path, profile, pairs):
    with open(path, "rb") as f:
        data = f.read()
    wrong = []
    for pair in pairs:
        index, value = (int(n) for n in pair.split("="))
        at = PROFILES_AT + PROFILE_SIZE * profile + VARIABLES_AT + 4 * index
        found = struct.unpack_from("<i", data, at)[0]
        if found != value:
            wrong.append("variable %d is %d, expected %d" % (index, found, value))
    print("\n".join(wrong) or "match")
    return 1 if wrong else 0


def with_profiles(count, current):
    store = reset_store()
    for i in range(MAX_PROFILES):
        store["profiles"][i] = new_profile(b"Player%d" % i, b"english", b"home")
    store["profile_count"], store["current_profile"] = count, current
    return store


def short_store():
    # Profile 0 is Ann with level 5 at rank 7; the file stops after level 9.
    store = reset_store()
    store["music_volume"] = 20.0
    store["profiles"][0] = new_profile(b"Ann", b"english", b"home", rank=10000)
    store["profiles"][0]["levels"][5] = (1, 300, 7)
    store["profile_count"] = 1
    return encode(store)[:PROFILES_AT + LEVELS_AT + 12 * 10]


def version31_store():
    store = with_profiles(2, 1)
    store["version"] = 31
    store["full_screen"] = 0
    return encode(store)


def unterminated_store():
    store = reset_store()
    store["profiles"][0] = new_profile(b"N" * TEXT_SIZE, b"L" * TEXT_SIZE, b"P" * TEXT_SIZE)
    store["profiles"][0]["levels"][0] = (2, 1234, 3)
    store["profile_count"] = 1
    return encode(store)


def out_of_range_store():
    # Two profiles, the second named without a terminator; every setting
    # beyond what the store can use.
    store = with_profiles(2, -22159276)
    store["full_screen"] = 7
    store["sound_volume"] = float("nan")
    store["music_volume"] = -1e30
    store["profiles"][1]["name"] = b"X" * TEXT_SIZE
    return encode(store)


FIXTURES = {
    "version31": version31_store,
    "short": short_store,
    "count11": lambda: encode(with_profiles(11, 3)),
    "count-1": lambda: encode(with_profiles(-1, 0)),
    "unterminated": unterminated_store,
    "out_of_range": out_of_range_store,
    "magic_byte": lambda: b"\x75" + encode(with_profiles(3, 1))[1:],
}


def main(args):
    if len(args) == 2 and args[0] == "check-reset":
        return check_reset(args[1])
    if len(args) >= 3 and args[0] == "check-variables":
        return check_variables(args[1], int(args[2]), args[3:])
    if len(args) == 2 and args[0] == "write-all":
        for name, make in FIXTURES.items():
            with open(os.path.join(args[1], name + ".rms"), "wb") as f:
                f.write(make())
        return 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
