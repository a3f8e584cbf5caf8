#!/usr/bin/env python3
"""Synthesises the game's sounds: the effects (WAV, and the volume test
sound in Ogg Vorbis), the title theme (Ogg Vorbis, through oggenc) and the
music module with its segments (a four-channel "M.K." module).

    make_sounds.py [--quick] FOLDER

A file newer than this script is kept, so a warm run does nothing. --quick
renders two bars of the theme only, for tests.
"""
import argparse
import array
import cmath
import functools
import itertools
import math
import operator
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 44100
# The module plays note C-3 at this rate, the rate its samples are made at.
MOD_RATE = 7093789.2 / (2 * 214)
# The highest level written, a little below full scale.
PEAK = 0.89

# Phrygian dominant, the scale of the whole score, in semitones above the tonic.
SCALE = (0, 1, 4, 5, 7, 8, 10)
TONIC = 62  # D4, as a MIDI note

# The theme's tune as (scale degree, eighths); one list per bar.
TUNE = (
    ((4, 2), (5, 1), (4, 1), (3, 2), (2, 2)),
    ((1, 2), (2, 2), (0, 4)),
    ((2, 2), (3, 1), (4, 1), (5, 2), (4, 2)),
    ((3, 2), (2, 1), (1, 1), (2, 4)),
    ((7, 2), (6, 1), (5, 1), (4, 2), (5, 2)),
    ((4, 2), (3, 1), (2, 1), (1, 4)),
    ((2, 2), (1, 1), (2, 1), (3, 2), (2, 1), (1, 1)),
    ((0, 8),),
)
# The drum pattern of a bar in eighths: "D" the low stroke, "t" the high one.
RHYTHM = "Dt.tD.t."


def midi_of(degree, octave=0):
    """The MIDI note of a scale degree (degrees past 6 climb octaves)."""
    return TONIC + 12 * (octave + degree // 7) + SCALE[degree % 7]


def hertz(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


# --- Synthesis: every voice is a list of floats at a given rate.

def partials(freq, seconds, rate, spectrum, attack=0.003):
    """Sum of sines (ratio to freq, amplitude, decay per second), with a short
    attack against clicks."""
    n = int(seconds * rate)
    out = [0.0] * n
    for ratio, amp, decay in spectrum:
        w = 2 * math.pi * freq * ratio / rate
        if w >= math.pi:
            continue  # above the rate's limit: it would alias
        # Each step turns and shrinks a phasor whose imaginary part is the partial.
        turn = cmath.exp(complex(-decay / rate, w))
        phasors = itertools.accumulate(itertools.repeat(turn, n - 1), operator.mul, initial=complex(amp))
        out = [o + z.imag for o, z in zip(out, phasors)]
    ramp = int(attack * rate)
    for i in range(min(ramp, n)):
        out[i] *= i / ramp
    return out


def pluck(freq, seconds, rate):
    """A plucked gut string: bright harmonics that die faster than the body."""
    spectrum = [(k, 1.0 / k ** 1.1, 2.5 + 1.8 * k) for k in range(1, 11)]
    return partials(freq, seconds, rate, spectrum)


@functools.lru_cache(maxsize=None)
def chime(freq, seconds, rate):
    """A small bell: slightly stretched partials with long tails. Kept, as the
    match sounds ring the same bells; a tuple, as it is shared."""
    spectrum = [(1.0, 1.0, 3.0), (2.0, 0.45, 4.5), (2.76, 0.3, 6.0),
                (4.07, 0.18, 9.0), (5.4, 0.1, 13.0)]
    return tuple(partials(freq, seconds, rate, spectrum))


def breathy(freq, seconds, rate, harmonics, seed):
    """A reed flute: steady harmonics with a slow vibrato over a breath of
    noise. One cycle is tabled, as the drone runs the whole theme long."""
    size = 4096
    table = [sum(a * math.sin(2 * math.pi * k * j / size) for k, a in harmonics) for j in range(size)]
    rng = random.Random(seed)
    n = int(seconds * rate)
    step = size * freq / rate
    vib_w = 2 * math.pi * 5.0 / rate
    phases = itertools.accumulate(step * (1 + 0.004 * math.sin(vib_w * i)) for i in range(n))
    breath = itertools.accumulate((rng.uniform(-1, 1) for _ in range(n)), lambda b, x: b + 0.2 * (x - b))
    out = [table[int(p) % size] + 0.08 * b for p, b in zip(phases, breath)]
    return shape(out, rate, attack=0.08, release=0.12)


NEY_HARMONICS = ((1, 1.0), (2, 0.25), (3, 0.12))
# A low, reedy voice for the drone.
DRONE_HARMONICS = tuple((k, 0.6 / k) for k in range(1, 9))


def ney(freq, seconds, rate):
    return breathy(freq, seconds, rate, NEY_HARMONICS, seed=int(freq))


def bowed(freq, seconds, rate):
    return breathy(freq, seconds, rate, DRONE_HARMONICS, seed=int(freq))


def shape(samples, rate, attack, release):
    """Linear fade in and out."""
    n = len(samples)
    a, r = max(1, int(attack * rate)), max(1, int(release * rate))
    out = list(samples)
    for i in itertools.chain(range(min(a, n)), range(max(0, n - r), n)):
        out[i] *= min(1.0, i / a, (n - i) / r)
    return out


def filtered_noise(seconds, rate, centre, q, seed):
    """White noise through a band-pass whose centre frequency (Hz) is
    `centre(t)` for t running from 0 to 1 over the sound."""
    rng = random.Random(seed)
    n = int(seconds * rate)
    low = band = 0.0
    damp = 1.0 / q
    out = []
    for i in range(n):
        f = 2 * math.sin(math.pi * min(centre(i / n), rate / 6) / rate)
        high = rng.uniform(-1, 1) - low - damp * band
        band += f * high
        low += f * band
        out.append(band)
    return out


def envelope(samples, rate, decay):
    """Exponential decay per second from the first sample on."""
    k = -decay / rate
    return [s * math.exp(k * i) for i, s in enumerate(samples)]


def doum(rate):
    """The low stroke of a frame drum: a falling thump with a soft slap."""
    n = int(0.45 * rate)
    phase, out = 0.0, []
    for i in range(n):
        t = i / rate
        phase += 2 * math.pi * (70 + 60 * math.exp(-t * 30)) / rate
        out.append(math.sin(phase) * math.exp(-t * 9))
    slap = envelope(filtered_noise(0.45, rate, lambda _: 900, 1.5, seed=3), rate, 60)
    return mix_into(out, slap, 0, 0.4)


def tek(rate):
    """The high stroke at the rim: a short, ringing tick."""
    noise = filtered_noise(0.12, rate, lambda _: 3200, 4.0, seed=5)
    ring = partials(620, 0.12, rate, [(1.0, 0.5, 45), (2.3, 0.3, 60)], attack=0.0005)
    return envelope(mix_into(noise, ring, 0, 1.0), rate, 38)


def mix_into(target, voice, start, gain):
    """Adds `voice` into `target` from `start`, growing the target as needed;
    returns the target."""
    end = start + len(voice)
    if end > len(target):
        target.extend([0.0] * (end - len(target)))
    target[start:end] = [t + gain * v for t, v in zip(target[start:end], voice)]
    return target


def normalised(samples, peak=PEAK):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


# --- Effects.

def click(freq):
    """A dry knock on wood for a button press."""
    body = partials(freq, 0.09, RATE, [(1.0, 1.0, 55), (2.4, 0.4, 80)], attack=0.0005)
    tap = envelope(filtered_noise(0.09, RATE, lambda _: 2500, 2.0, seed=int(freq)), RATE, 120)
    return mix_into(body, tap, 0, 0.6)


def rollover():
    return partials(2600, 0.05, RATE, [(1.0, 1.0, 90), (1.5, 0.3, 120)], attack=0.002)


def key_tick():
    """A light tick for each key typed into a text box."""
    return partials(1700, 0.03, RATE, [(1.0, 1.0, 150), (2.1, 0.3, 200)], attack=0.0005)


def whoosh(seconds, low, high):
    """Air moving past: the noise band rises from `low` to `high` Hz and falls
    back while the level swells."""
    sweep = filtered_noise(seconds, RATE, lambda t: low + (high - low) * math.sin(math.pi * t), 2.5, seed=7)
    n = len(sweep)
    return [s * math.sin(math.pi * i / n) ** 2 for i, s in enumerate(sweep)]


def select(degree):
    """A plucked note with a bell an octave up, for picking up a piece."""
    note = midi_of(degree, 1)
    tone = pluck(hertz(note), 0.6, RATE)
    return mix_into(tone, chime(hertz(note + 12), 0.6, RATE), 0, 0.3)


def swap():
    """A short whoosh under a rising glide."""
    air = whoosh(0.22, 400, 2200)
    n = len(air)
    phase, glide = 0.0, []
    for i in range(n):
        phase += 2 * math.pi * (500 + 500 * i / n) / RATE
        glide.append(math.sin(phase) * math.sin(math.pi * i / n))
    return mix_into(air, glide, 0, 0.35)


def arpeggio(degrees):
    """Bells climbing the scale, one for each piece of the match."""
    out = []
    step = int(0.07 * RATE)
    for i, degree in enumerate(degrees):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 1.4, RATE), i * step, 1.0)
    return out


# The notes a run's clear climbs, one more for each step of its score.
CLEAR_DEGREES = (0, 2, 4, 7, 9, 11, 14)


def cascade(link):
    """A chained pass: two bells a third apart, both higher for each link of
    the chain, over a soft pluck."""
    root = midi_of(2 * link, 1)
    out = list(chime(hertz(root), 1.0, RATE))
    mix_into(out, chime(hertz(midi_of(2 * link + 2, 1)), 1.0, RATE), int(0.06 * RATE), 0.7)
    return mix_into(out, pluck(hertz(root - 12), 0.5, RATE), 0, 0.4)


def hint_chime(degrees):
    """Two soft bells a fifth apart, climbing for a hint that opens and
    falling for one that goes."""
    out = []
    step = int(0.09 * RATE)
    for i, degree in enumerate(degrees):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 0.9, RATE), i * step, 0.8)
    return out


def thud(freq, seed):
    """A token landing on another: a short, low knock of stone on stone."""
    body = partials(freq, 0.16, RATE, [(1.0, 1.0, 28), (1.7, 0.45, 40), (2.9, 0.2, 60)], attack=0.001)
    grit = envelope(filtered_noise(0.16, RATE, lambda _: 1400, 1.2, seed=seed), RATE, 70)
    return mix_into(body, grit, 0, 0.5)


def crumble():
    """A rock breaking apart: a falling rumble under a scatter of grit."""
    rumble = envelope(filtered_noise(0.7, RATE, lambda t: 260 - 160 * t, 1.5, seed=11), RATE, 5)
    rng = random.Random(13)
    grit = [0.0] * len(rumble)
    for _ in range(14):
        chip = envelope(filtered_noise(0.05, RATE, lambda _: rng.uniform(1800, 4200), 3.0, seed=rng.randrange(1000)), RATE, 90)
        mix_into(grit, chip, rng.randrange(0, int(0.5 * RATE)), rng.uniform(0.3, 0.7))
    return mix_into(rumble, grit, 0, 0.6)


# --- The critters.

def buzz(seconds, freq, seed):
    """Beating wings: a buzzing tone that flutters, over a breath of air."""
    n = int(seconds * RATE)
    phase, out = 0.0, []
    for i in range(n):
        t = i / RATE
        phase += 2 * math.pi * freq * (1 + 0.03 * math.sin(2 * math.pi * 7 * t)) / RATE
        saw = 2 * ((phase / (2 * math.pi)) % 1.0) - 1
        out.append(saw * (0.6 + 0.4 * math.sin(2 * math.pi * 23 * t)))
    air = filtered_noise(seconds, RATE, lambda _: 2 * freq, 3.0, seed=seed)
    return shape(mix_into(out, air, 0, 0.8), RATE, 0.05, 0.15)


def hiss(seconds, seed):
    """A snake's hiss: a high band of noise swelling and dying away."""
    noise = filtered_noise(seconds, RATE, lambda t: 4200 + 800 * t, 1.2, seed=seed)
    n = len(noise)
    return [s * math.sin(math.pi * i / n) for i, s in enumerate(noise)]


def skitter(count, freq, seed):
    """Many small feet on stone: a quick run of tiny ticks."""
    rng = random.Random(seed)
    out = []
    for k in range(count):
        tick = partials(freq * rng.uniform(0.8, 1.25), 0.03, RATE, [(1.0, 1.0, 160), (2.2, 0.4, 220)], attack=0.0005)
        mix_into(out, tick, int(k * 0.035 * RATE + rng.uniform(0, 0.012) * RATE), rng.uniform(0.5, 1.0))
    return out


def snap(freq, seed):
    """A strike: a sharp crack on a short rush of air."""
    crack = mix_into(click(freq), whoosh(0.18, 600, 3000), 0, 0.5)
    return mix_into(crack, thud(freq / 6, seed), int(0.02 * RATE), 0.6)


def shimmer():
    """Sand turning to gold: a bell and its fifth ringing out."""
    out = list(chime(hertz(midi_of(4, 1)), 0.9, RATE))
    return mix_into(out, chime(hertz(midi_of(7, 1)), 0.8, RATE), int(0.06 * RATE), 0.7)
def sand_settle():
    """A puzzle piece settling into the sand: a soft knock and a hiss of grains."""
    hiss = envelope(filtered_noise(0.3, RATE, lambda t: 3200 - 1800 * t, 1.0, seed=23), RATE, 14)
    return mix_into(thud(220, 29), hiss, 0, 0.35)

# --- The mummy and the powers.

def groan(seconds, seed):
    """The mummy's voice: two low bowed notes a semitone apart grinding over
    a breath of dust."""
    out = [x * 0.35 for x in whoosh(seconds, 120, 700)]
    mix_into(out, bowed(hertz(TONIC - 24), seconds, RATE), 0, 0.8)
    mix_into(out, bowed(hertz(TONIC - 23), seconds * 0.8, RATE), int(0.12 * RATE), 0.5)
    mix_into(out, envelope(filtered_noise(seconds, RATE, lambda _: 400, 1.0, seed=seed), RATE, 3), 0, 0.3)
    return shape(out, RATE, 0.12, 0.35)


def mummy_bye():
    """The mummy sinking into the sand: falling air over its fading groan."""
    return mix_into(whoosh(0.9, 2400, 180), groan(0.8, 61), 0, 0.6)


def mummy_magic():
    """The spell: bells a tritone apart over air rising and falling."""
    out = [x * 0.5 for x in whoosh(1.0, 300, 3500)]
    for i, midi in enumerate((TONIC, TONIC + 6, TONIC + 12, TONIC + 18)):
        mix_into(out, chime(hertz(midi), 0.9, RATE), int(i * 0.12 * RATE), 0.5)
    return out


def power_chord(degrees, low, high):
    """A power used: bells on the degrees, one after another, over a sweep of
    air from `low` to `high` Hz."""
    out = [x * 0.4 for x in whoosh(0.6, low, high)]
    for i, degree in enumerate(degrees):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 0.9, RATE), int(i * 0.05 * RATE), 0.6)
    return out


def piece_fit():
    """A piece home in its slot: a plucked note under a bell chord."""
    out = pluck(hertz(midi_of(0, 1)), 0.8, RATE)
    return mix_into(out, arpeggio((2, 4, 7)), int(0.04 * RATE), 0.6)


def treasure_found():
    """A treasure found: bells leaping up the scale over a soft shimmer."""
    out = [s * 0.3 for s in whoosh(0.8, 1200, 6000)]
    for i, degree in enumerate((4, 7, 9, 11)):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 1.2, RATE), int(i * 0.06 * RATE), 0.8)
    return out


def level_complete():
    """The room cleared: the tune's cadence plucked up to the tonic, then the
    tonic chord rung high over a last drum stroke. Plays once."""
    out = []
    eighth = 60.0 / 112 / 2
    at = 0.0
    for degree, eighths in ((4, 1), (5, 1), (7, 2), (9, 1), (8, 1), (7, 4)):
        mix_into(out, pluck(hertz(midi_of(degree)), 1.2, RATE), int(at * RATE), 0.6)
        mix_into(out, chime(hertz(midi_of(degree, 1)), 0.8, RATE), int(at * RATE), 0.25)
        at += eighths * eighth
    mix_into(out, flash_chord(), int(at * RATE), 0.8)
    mix_into(out, doum(RATE), int(at * RATE), 0.7)
    return out


# --- The title theme.

def theme(bars, tempo=104, tune=TUNE):
    """Stereo (left, right) loop at `tempo` crotchets a minute: drone and
    drums throughout, the tune's bars on the oud from the third bar, doubled
    by the ney above from the tune's fifth bar. Tails that run past the end
    are folded onto the start, so the loop is seamless."""
    eighth = 60.0 / tempo / 2
    bar = 8 * eighth
    length = int(bars * bar * RATE)
    left, right = [0.0] * length, [0.0] * length
    cache = {}

    def place(voice, seconds, pan, gain):
        at = int(seconds * RATE) % length
        for channel, side in ((left, 1 - pan), (right, 1 + pan)):
            mix_into(channel, voice, at, gain * min(1.0, side))

    def note(instrument, midi, seconds):
        key = (instrument, midi, seconds)
        if key not in cache:
            cache[key] = instrument(hertz(midi), seconds, RATE)
        return cache[key]

    drone_seconds = bars * bar
    for midi, pan in ((TONIC - 24, -0.3), (TONIC - 17, 0.3)):
        place(note(bowed, midi, drone_seconds), 0, pan, 0.18)
    strokes = {"D": (doum(RATE), 0.0, 0.9), "t": (tek(RATE), 0.15, 0.35)}
    for b in range(bars):
        for i, stroke in enumerate(RHYTHM):
            if stroke in strokes:
                voice, pan, gain = strokes[stroke]
                place(voice, (b * 8 + i) * eighth, pan, gain)
    for b, notes in enumerate(tune[:max(0, bars - 2)]):
        at = (b + 2) * bar
        for degree, eighths in notes:
            place(note(pluck, midi_of(degree), 1.2), at, -0.35, 0.5)
            if b >= 4:
                place(note(ney, midi_of(degree, 1), eighths * eighth), at, 0.4, 0.22)
            at += eighths * eighth
    def fold(channel):
        # Notes ringing past the end grew the channel: their tails sound at the start.
        return [a + b for a, b in zip(channel[:length], channel[length:] + [0.0] * length)]

    return fold(left), fold(right)


def rotated(bars):
    """The tune begun at its bar `bars`, wrapping round to its start."""
    return TUNE[bars:] + TUNE[:bars]


# (tempo, bars the tune is turned by) of the three game-play pieces, which the
# board plays one after another in random order.
GAME_PLAY_CUES = ((96, 2), (108, 4), (116, 6))


def flash_shimmer():
    """Bells tumbling down the scale over rising air, as the tokens appear."""
    out = whoosh(0.9, 400, 5000)
    out = [s * 0.4 for s in out]
    for i, degree in enumerate((9, 7, 5, 4, 2)):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 0.9, RATE), int(i * 0.07 * RATE), 0.6)
    return out


def flash_chord():
    """The tonic chord struck at once, high and ringing: the board is ready."""
    out = []
    for degree in (0, 2, 4, 7):
        mix_into(out, chime(hertz(midi_of(degree, 1)), 1.6, RATE), 0, 0.5)
    return out


# --- The module: three parts, each two orders long and looping on itself,
# where the music segments start.

PERIODS = (856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113)
# The module's samples sound their note C-3 at C5.
MOD_C3 = 72
ROWS = 64
# Sample numbers (from 1) of the module's instruments.
OUD, NEY, DRONE, DOUM, TEK = 1, 2, 3, 4, 5


def looped(harmonics, cycles, attack):
    """A steady tone whose end loops: `attack` seconds of swell, then a loop of
    `cycles` whole cycles of about C5 at the module's rate. Returns (data,
    loop start), both at even lengths, as the module counts in words."""
    loop = round(cycles * MOD_RATE / hertz(MOD_C3))
    assert loop % 2 == 0, "pick a cycle count whose loop is a whole even length"
    start = 2 * int(attack * MOD_RATE / 2)
    spectrum = [(k, a, 0.0) for k, a in harmonics]
    voice = partials(cycles * MOD_RATE / loop, (start + loop + 1) / MOD_RATE, MOD_RATE, spectrum, attack)
    return voice[:start + loop], start


def mod_samples():
    """(name, data, loop start or None, volume) of each instrument."""
    ney_data, ney_loop = looped(NEY_HARMONICS, 80, 0.1)
    drone_data, drone_loop = looped(DRONE_HARMONICS, 80, 0.15)
    return [
        ("oud", pluck(hertz(MOD_C3), 1.0, MOD_RATE), None, 64),
        ("ney", ney_data, ney_loop, 48),
        ("drone", drone_data, drone_loop, 40),
        ("doum", doum(MOD_RATE), None, 64),
        ("tek", tek(MOD_RATE), None, 36),
    ]


def cell(sample, midi, effect, param):
    """The four bytes of a pattern cell; `midi` None plays no note."""
    period = PERIODS[midi - MOD_C3 + 24] if midi is not None else 0
    return bytes((sample & 0xF0 | period >> 8, period & 0xFF, (sample & 0x0F) << 4 | effect, param))


def mod_pattern(bars, lead, speed, drums, loop_to):
    """Four bars of 16 rows: the lead plays the tune's bars, the drone holds
    the tonic, the drums (when wanted) play the rhythm. Row 0 sets the speed;
    with `loop_to`, the last row jumps back to that order."""
    rows = [[[0, None, 0, 0] for _ in range(4)] for _ in range(ROWS)]
    for b, notes in enumerate(bars):
        row = b * 16
        for degree, eighths in notes:
            rows[row][0][:2] = lead, midi_of(degree)
            row += 2 * eighths
        rows[b * 16][1][:2] = DRONE, TONIC - 12
        if drums:
            for i, stroke in enumerate(RHYTHM):
                if stroke == "D":
                    rows[b * 16 + 2 * i][2][:2] = DOUM, MOD_C3
                elif stroke == "t":
                    rows[b * 16 + 2 * i][3][:2] = TEK, MOD_C3
    rows[0][2][2:] = 0xF, speed
    if loop_to is not None:
        rows[-1][3][2:] = 0xB, loop_to
    return b"".join(cell(*fields) for row in rows for fields in row)


# (lead instrument, speed, drums) of the module's parts in order: "menu", "map"
# and "game" of segments.lua.
PARTS = ((NEY, 8, False), (OUD, 7, True), (OUD, 5, True))


def sample_bytes(samples):
    """Signed 8-bit data, padded to whole words."""
    raw = bytes(round(s * 127) & 0xFF for s in normalised(samples, 1.0))
    return raw + bytes(len(raw) & 1)


def module():
    patterns = []
    for part, (lead, speed, drums) in enumerate(PARTS):
        patterns.append(mod_pattern(TUNE[:4], lead, speed, drums, None))
        patterns.append(mod_pattern(TUNE[4:], lead, speed, drums, 2 * part))
    header = b"Vantor of Ostravine".ljust(20, b"\0")
    data = b""
    instruments = mod_samples()
    for name, samples, loop, volume in instruments:
        raw = sample_bytes(samples)
        # An unlooped sample has a loop of one word at its start.
        start, repeat = (loop // 2, (len(raw) - loop) // 2) if loop is not None else (0, 1)
        header += name.encode().ljust(22, b"\0") + struct.pack(">HBBHH", len(raw) // 2, 0, volume, start, repeat)
        data += raw
    header += bytes(30 * (31 - len(instruments)))
    header += bytes((len(patterns), 127)) + bytes(range(len(patterns))).ljust(128, b"\0") + b"M.K."
    return header + b"".join(patterns) + data


# --- Files.

def write_wav(path, channels):
    """16-bit PCM of one list per channel."""
    with wave.open(path, "wb") as out:
        out.setnchannels(len(channels))
        out.setsampwidth(2)
        out.setframerate(RATE)
        interleaved = array.array("h", (round(s * 32767) for frame in zip(*channels) for s in frame))
        if sys.byteorder == "big":
            interleaved.byteswap()
        out.writeframes(interleaved.tobytes())


def faded(samples):
    # A brief fade at the end, so a sound cut while ringing does not click.
    return normalised(shape(samples, RATE, attack=0.0, release=0.015))


def write_effect(path, samples):
    write_wav(path, [faded(samples)])


def write_ogg(path, channels):
    """Ogg Vorbis of one list per channel, encoded by oggenc."""
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, "source.wav")
        write_wav(source, channels)
        subprocess.run(["oggenc", "--quiet", "--quality", "4", "--output", path, source], check=True)


def write_theme(path, bars, tempo=104, tune=TUNE):
    left, right = theme(bars, tempo, tune)
    top = max(max(map(abs, left)), max(map(abs, right)))
    scale = PEAK / top
    write_ogg(path, [[s * scale for s in left], [s * scale for s in right]])


def write_module(path):
    with open(path, "wb") as out:
        out.write(module())


def outputs(quick):
    """File name -> function that writes it."""
    effects = {
        "button_press_a.wav": lambda: click(950),
        "button_press_b.wav": lambda: click(1150),
        "button_rollover.wav": rollover,
        "textbox_key.wav": key_tick,
        "screen_shift.wav": lambda: whoosh(0.6, 250, 2600),
        "select_a.wav": lambda: select(4),
        "select_b.wav": lambda: select(2),
        "swap.wav": swap,
        "match3.wav": lambda: arpeggio((0, 2, 4)),
        "match4.wav": lambda: arpeggio((0, 2, 4, 7)),
        "match5.wav": lambda: arpeggio((0, 2, 4, 7, 9)),
        "hint_up.wav": lambda: hint_chime((0, 4)),
        "hint_down.wav": lambda: hint_chime((4, 0)),
        # The help box unrolling, and rolling up.
        "help_open.wav": lambda: whoosh(0.3, 600, 3000),
        "help_close.wav": lambda: whoosh(0.25, 1800, 500),
        "block_fall_1.wav": lambda: thud(170, 17),
        "block_fall_2.wav": lambda: thud(140, 19),
        "rock_crumble.wav": crumble,
        "scorpion_appear.wav": lambda: mix_into(whoosh(0.5, 200, 1600), skitter(8, 2400, 31), int(0.15 * RATE), 0.8),
        "scorpion_strike.wav": lambda: snap(1900, 33),
        "spider_appear.wav": lambda: skitter(12, 3400, 35),
        "spider_strike.wav": lambda: whoosh(0.35, 3000, 7000),
        "cobra_appear.wav": lambda: hiss(0.9, 37),
        "cobra_strike.wav": lambda: mix_into(hiss(0.4, 39), snap(1500, 41), 0, 0.9),
        "scarabs_appear.wav": lambda: buzz(0.9, 110, 43),
        "scarab_strike.wav": shimmer,
        "locust_appear.wav": lambda: buzz(0.9, 190, 45),
        "locust_strike.wav": lambda: mix_into(thud(200, 47), crumble()[: int(0.3 * RATE)], 0, 0.5),
        # A starting light of the scarab race coming on: a bell over a drum tap.
        "race_light.wav": lambda: mix_into(list(chime(hertz(midi_of(4, 1)), 0.5, RATE)), tek(RATE), 0, 0.4),

        "mummy_hi.wav": lambda: groan(1.0, 59),
        "mummy_bye.wav": mummy_bye,
        "mummy_magic.wav": mummy_magic,
        # The powers (power 6 breaks rocks and plays their crumble).
        "power_gild.wav": lambda: power_chord((4, 7), 800, 4000),
        "power_gild_area.wav": lambda: power_chord((0, 4, 7), 800, 4000),
        "power_banish.wav": lambda: mix_into(whoosh(0.7, 3000, 300), power_chord((7, 4, 0), 500, 2000), 0, 0.8),
        "power_column.wav": lambda: power_chord((0, 7), 300, 5000),
        "power_row.wav": lambda: power_chord((0, 5), 300, 5000),
        "power_colour.wav": lambda: power_chord((2, 4, 7, 9), 1000, 6000),
        "power_spray.wav": lambda: hiss(0.6, 51),
        "power_unweb.wav": lambda: mix_into(whoosh(0.35, 3000, 7000), snap(2200, 53), 0, 0.7),
    }
    # A pass's clear by its score (3 to 7), and the chain's ring by its link.
    for n in range(3, 8):
        effects["block_clear_%d.wav" % n] = lambda n=n: arpeggio(CLEAR_DEGREES[:n])
        effects["base_clear_%d.wav" % n] = lambda n=n: cascade(n - 3)
    files = {name: (lambda path, make=make: write_effect(path, make())) for name, make in effects.items()}
    # The sample the options screen plays while a volume is set.
    files["block_select.ogg"] = lambda path: write_ogg(path, [faded(select(0))])
    files["GameApp_start_music.ogg"] = lambda path: write_theme(path, 2 if quick else 2 + len(TUNE) + 2)
    files["music.mod"] = write_module
    # The game-play music: the tune once round after two bars of lead-in.
    for number, (tempo, turn) in enumerate(GAME_PLAY_CUES, 1):
        files["Game Play Cue %i.ogg" % number] = (
            lambda path, tempo=tempo, turn=turn: write_theme(path, 2 if quick else 2 + len(TUNE), tempo, rotated(turn)))
    files["Scarab Race.ogg"] = lambda path: write_theme(path, 2 if quick else 2 + len(TUNE), 144, TUNE)
    # The level's end: the cue of a cleared room, then the calm menu music,
    # which loops; the treasure and the summary's stars.
    files["Level Complete Cue.ogg"] = lambda path: write_ogg(path, [faded(level_complete())])
    files["Menu Cue.ogg"] = lambda path: write_theme(path, 2 if quick else 4, 84, rotated(4))
    files["treasure_found.wav"] = lambda path: write_effect(path, treasure_found())
    # The picture puzzle: its music and the pieces' sounds.
    files["Puzzle Cue.ogg"] = lambda path: write_theme(path, 2 if quick else 2 + len(TUNE), 88, rotated(3))
    files["puzzle_landed.wav"] = lambda path: write_effect(path, sand_settle())
    files["puzzle_fit.wav"] = lambda path: write_effect(path, piece_fit())
    files["puzzle_arrive.wav"] = lambda path: write_effect(path, whoosh(0.35, 600, 1800))
    files["start_flash.wav"] = lambda path: write_effect(path, flash_shimmer())
    files["end_flash.wav"] = lambda path: write_effect(path, flash_chord())
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true", help="render two bars of the theme only")
    parser.add_argument("folder")
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    made_at = os.path.getmtime(__file__)
    for name, write in outputs(args.quick).items():
        path = os.path.join(args.folder, name)
        if os.path.exists(path) and os.path.getmtime(path) > made_at:
            continue
        # Written aside and renamed, so an interrupted run leaves no stale file
        # that looks up to date; aside under this process's own name, as
        # another build may write the same file at once.
        partial = "%s.%d.part" % (path, os.getpid())
        write(partial)
        os.replace(partial, path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
