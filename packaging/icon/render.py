#!/usr/bin/env python3
"""Draws Brindle's icon with its script and scales it to the icon theme's sizes.

  render.py BRINDLE [--refresh]

brindle.bas draws the icon, 256 x 256 pixels, at the top left of the canvas; ImageMagick crops
it, makes the magenta around the rounded tile transparent and scales it to each size of
hicolor/NxN/apps/brindle.png. Without --refresh the committed pictures are compared with what
the script draws now, pixel for pixel, and the check fails when one differs (the new ones are
left in a temporary folder for a look); with --refresh they are written.
"""

import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SIZES = (16, 32, 48, 64, 128, 256)
HERE = Path(__file__).resolve().parent
# Written without the time chunks, so that a picture drawn again is the same file.
PNG_OPTIONS = ["-strip", "-define", "png:exclude-chunks=date,time"]


def render(brindle, out):
    full = out / "canvas.png"
    subprocess.run([brindle, "--headless", "--quiet", "--screenshot", str(full),
                    str(HERE / "brindle.bas")], check=True, stdout=subprocess.DEVNULL)
    icon = out / "icon.png"
    subprocess.run(["convert", str(full), "-crop", "256x256+0+0", "+repage",
                    "-transparent", "#ff00ff", *PNG_OPTIONS, f"PNG32:{icon}"], check=True)
    pictures = {}
    for size in SIZES:
        name = Path(f"{size}x{size}") / "apps" / "brindle.png"
        (out / name).parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["convert", str(icon), "-resize", f"{size}x{size}", *PNG_OPTIONS,
                        f"PNG32:{out / name}"], check=True)
        pictures[name] = out / name
    return pictures


def differing_pixels(a, b):
    result = subprocess.run(["compare", "-metric", "AE", str(a), str(b), "null:"],
                            capture_output=True, text=True)
    if result.returncode > 1:  # 1: they differ; 2: a picture could not be read
        return None
    return int(float(result.stderr.split()[0]))


def main():
    brindle, refresh = sys.argv[1], "--refresh" in sys.argv[2:]
    out = Path(tempfile.mkdtemp(prefix="brindle-icon-"))
    failed = False
    for name, picture in render(brindle, out).items():
        committed = HERE / "hicolor" / name
        if refresh:
            committed.parent.mkdir(parents=True, exist_ok=True)
            committed.write_bytes(picture.read_bytes())
            continue
        if not committed.exists():
            print(f"{committed}: missing (render.py BRINDLE --refresh writes it)")
            failed = True
            continue
        differ = differing_pixels(committed, picture)
        if differ != 0:
            print(f"{committed}: {differ} pixels differ from what brindle.bas draws "
                  f"(the new picture: {picture}; render.py BRINDLE --refresh writes it)")
            failed = True
    if not failed:
        shutil.rmtree(out)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
