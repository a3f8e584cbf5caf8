#!/usr/bin/env python3
"""Makes the title screen's looping clip: ImageMagick draws each frame (a
desert evening, the sun rising and setting again behind two pyramids) and
the ffmpeg tool joins them into a Motion-JPEG AVI.

    make_clip.py CONVERT FFMPEG OUTPUT.avi
"""
import math
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 256, 128
FRAMES = 24
RATE = 12  # frames a second: a two-second loop
HORIZON = 104


def sun(frame):
    """Centre and radius of the sun: one rise and set a loop, so the last
    frame leads back into the first."""
    phase = 2 * math.pi * frame / FRAMES
    x = 128 + 36 * math.cos(phase)
    y = 66 - 32 * math.sin(phase)
    return x, y, 15 + 2 * math.sin(phase)


def draw_frame(convert, path, frame):
    x, y, r = sun(frame)
    glow = r + 9
    subprocess.run([
        convert, "-size", f"{WIDTH}x{HEIGHT}", "gradient:#1b2a5e-#e8944a",
        "-fill", "#f6c05a80", "-draw", f"circle {x:.1f},{y:.1f} {x + glow:.1f},{y:.1f}",
        "-fill", "#ffe27a", "-draw", f"circle {x:.1f},{y:.1f} {x + r:.1f},{y:.1f}",
        "-fill", "#4a3020", "-draw", f"polygon 36,{HORIZON} 92,44 148,{HORIZON}",
        "-fill", "#5c3c26", "-draw", f"polygon 132,{HORIZON} 174,62 216,{HORIZON}",
        "-fill", "#c9a45c", "-draw", f"rectangle 0,{HORIZON} {WIDTH - 1},{HEIGHT - 1}",
        "-fill", "#b08a48", "-draw", f"ellipse 60,{HEIGHT + 6} 90,18 180,360",
        "-alpha", "off", path,
    ], check=True)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    convert, ffmpeg, output = sys.argv[1:]
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        for frame in range(FRAMES):
            draw_frame(convert, os.path.join(folder, f"frame_{frame:02d}.png"), frame)
        subprocess.run([
            ffmpeg, "-loglevel", "error", "-y", "-framerate", str(RATE),
            "-i", os.path.join(folder, "frame_%02d.png"),
            "-c:v", "mjpeg", "-q:v", "3", "-pix_fmt", "yuvj420p", "-an", output,
        ], check=True)


if __name__ == "__main__":
    main()
