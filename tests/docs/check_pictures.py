#!/usr/bin/env python3
"""Runs every script the documentation shows and checks that its committed pictures are still
what it draws.

  check_pictures.py BRINDLE [--refresh] [--root DIR] [SET ...]

SET is one of examples, tutorial, reference (default: all three):

examples   examples/NAME.bas, run in examples/ with NAME.events when there is one; its picture
           is examples/shots/NAME.png and, with an events file, its animated GIF
           examples/shots/NAME.gif. Every example must be lint-clean and exit 0, and every
           script the README shows must be an example's text after its first comment lines.
           docs/gallery.md shows each example's animation (its picture when it has no events)
           and links it to the playground.
tutorial   docs/tutorial/NAME.bas, run in docs/tutorial/ with NAME.events when there is one;
           its picture is docs/tutorial/NAME.png. The exit status must be 0 (or the number in
           NAME.status), standard output must equal NAME.out and standard error NAME.err when
           those files exist, and --lint must print nothing (or NAME.lint's text). The script's
           text must appear whole in a fenced block of docs/tutorial.md.
reference  every entry of docs/reference.md that shows a picture reference/KEYWORD.png: its
           example, run in examples/ (where the bundled pictures are), cropped to what it drew.

With --refresh the pictures are written instead of compared. A picture that drifted is written
to pictures-drift/ beside BRINDLE for a look before refreshing.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from png_rgb import read_png, write_png  # noqa: E402

REFRESH_HINT = ("if the change is meant, look at the new picture in {drift} and refresh the "
                "committed ones with `make pictures`")


def crop_to_drawing(width, height, rows):
    """From the top-left corner to a margin past the last pixel that differs from the
    background (the bottom-right pixel), so that coordinates in the picture read as in the
    script."""
    background = rows[-1][-3:]
    right = bottom = 0
    for y, row in enumerate(rows):
        for x in range(width):
            if row[3 * x:3 * x + 3] != background:
                right, bottom = max(right, x), max(bottom, y)
    w, h = min(width, max(160, right + 21)), min(height, max(80, bottom + 21))
    return w, h, [row[:3 * w] for row in rows[:h]]


# ---------------------------------------------------------------- one script

class Checker:
    def __init__(self, brindle, root, refresh, drift):
        self.brindle, self.root, self.refresh, self.drift = brindle, root, refresh, drift
        self.failures, self.checked = [], 0

    def fail(self, what):
        self.failures.append(what)

    def run(self, args, cwd):
        return subprocess.run([self.brindle] + args, cwd=cwd, capture_output=True, timeout=120)

    def headless(self, script, cwd, gif=False):
        """Runs the script with its events file; returns the run, the picture and the GIF."""
        with tempfile.TemporaryDirectory() as tmp:
            png, anim = Path(tmp) / "shot.png", Path(tmp) / "run.gif"
            args = ["--headless", "--quiet", "--screenshot", str(png)]
            events = script.with_suffix(".events")
            if events.exists():
                args += ["--events", events.name]
                if gif:
                    args += ["--gif", str(anim)]
            run = self.run(args + [script.name if script.parent == cwd else str(script)], cwd)
            picture = read_png(png) if png.exists() else None
            movie = anim.read_bytes() if anim.exists() else None
        return run, picture, movie

    def keep_picture(self, label, path, picture, crop=False):
        if picture is None:
            self.fail(f"{label}: wrote no picture")
            return
        width, height, rows = crop_to_drawing(*picture) if crop else picture
        # A picture that shows the same pixels is left as it is, however it was encoded.
        if path.exists() and read_png(path) == (width, height, rows):
            return
        if self.refresh:
            path.parent.mkdir(parents=True, exist_ok=True)
            write_png(path, width, height, rows)
            return
        self.drift.mkdir(parents=True, exist_ok=True)
        write_png(self.drift / path.name, width, height, rows)
        state = "differs from" if path.exists() else "is missing; it would show"
        self.fail(f"{path.relative_to(self.root)} {state} what {label} draws now; " +
                  REFRESH_HINT.format(drift=self.drift))

    def keep_gif(self, label, path, movie):
        if movie is None:
            self.fail(f"{label}: wrote no GIF")
        elif self.refresh:
            path.write_bytes(movie)
        elif not path.exists() or path.read_bytes() != movie:
            self.drift.mkdir(parents=True, exist_ok=True)
            (self.drift / path.name).write_bytes(movie)
            state = "differs from" if path.exists() else "is missing; it would show"
            self.fail(f"{path.relative_to(self.root)} {state} the run of {label}; " +
                      REFRESH_HINT.format(drift=self.drift))

    def expect_lint(self, script, expected):
        lint = self.run(["--lint", script.name], script.parent)
        said = lint.stderr.decode(errors="replace")
        if said != expected or (lint.returncode != 0) != bool(expected):
            self.fail(f"{script.relative_to(self.root)}: --lint said (status "
                      f"{lint.returncode}):\n{said or '(nothing)'}\nexpected:\n"
                      f"{expected or '(nothing)'}")

    def expect_file(self, script, suffix, got, what):
        want = script.with_suffix(suffix)
        if want.exists() and want.read_bytes() != got:
            self.fail(f"{script.relative_to(self.root)}: {what} differs from "
                      f"{want.name}:\n{got.decode(errors='replace')}")


# ---------------------------------------------------------------- the three sets

def check_examples(checker):
    folder = checker.root / "examples"
    for script in sorted(folder.glob("*.bas")):
        checker.checked += 1
        label = f"examples/{script.name}"
        checker.expect_lint(script, "")
        run, picture, movie = checker.headless(script, folder, gif=True)
        if run.returncode != 0:
            checker.fail(f"{label}: exit status {run.returncode}: {run.stderr.decode()}")
        shots = folder / "shots"
        checker.keep_picture(label, shots / f"{script.stem}.png", picture)
        if script.with_suffix(".events").exists():
            checker.keep_gif(label, shots / f"{script.stem}.gif", movie)
    gallery = checker.root / "docs" / "gallery.md"
    shown = gallery.read_text() if gallery.exists() else ""
    for script in sorted(folder.glob("*.bas")):
        kind = "gif" if script.with_suffix(".events").exists() else "png"
        for link in (f"](../examples/shots/{script.stem}.{kind})", f"#example={script.name}&run)"):
            if link not in shown:
                checker.fail(f"docs/gallery.md: examples/{script.name} has no link ending {link}")
    # The README's scripts are examples, so that what it shows is what a test runs.
    bodies = [re.sub(r"\A(?:'.*\n)*", "", script.read_text(encoding="latin-1"))
              for script in folder.glob("*.bas")]
    readme = (checker.root / "README.md").read_text()
    for block in re.findall(r"^```basic\n(.*?)^```", readme, flags=re.S | re.M):
        if block not in bodies:
            checker.fail(f"README.md shows a script that is no example (after its first "
                         f"comment lines):\n{block}")


def fenced_blocks(markdown):
    return re.findall(r"^```[a-z]*\n(.*?)^```", markdown, flags=re.S | re.M)


def check_tutorial(checker):
    folder = checker.root / "docs" / "tutorial"
    page = checker.root / "docs" / "tutorial.md"
    blocks = fenced_blocks(page.read_text()) if page.exists() else []
    for script in sorted(folder.glob("*.bas")):
        checker.checked += 1
        label = f"docs/tutorial/{script.name}"
        if script.read_text(encoding="latin-1") not in blocks:
            checker.fail(f"{label}: docs/tutorial.md shows no block with this script's text")
        lint = script.with_suffix(".lint")
        checker.expect_lint(script, lint.read_text() if lint.exists() else "")
        run, picture, _ = checker.headless(script, folder)
        status = script.with_suffix(".status")
        want = int(status.read_text()) if status.exists() else 0
        if run.returncode != want:
            checker.fail(f"{label}: exit status {run.returncode}, expected {want}: "
                         f"{run.stderr.decode(errors='replace')}")
        checker.expect_file(script, ".out", run.stdout, "standard output")
        checker.expect_file(script, ".err", run.stderr, "standard error")
        checker.keep_picture(label, script.with_suffix(".png"), picture)


def reference_entries(markdown):
    """(keyword, example text) for each entry that shows a picture of its example."""
    for entry in re.split(r"^## ", markdown, flags=re.M)[1:]:
        keyword = entry.split("\n", 1)[0].strip()
        if f"](reference/{keyword.lower()}.png)" not in entry:
            continue
        example = re.search(r"\*\*Example\*\*\n```basic\n(.*?)^```", entry, flags=re.S | re.M)
        yield keyword, example.group(1) if example else None


def check_reference(checker):
    page = checker.root / "docs" / "reference.md"
    for keyword, example in reference_entries(page.read_text()):
        checker.checked += 1
        label = f"the example of {keyword} in docs/reference.md"
        if example is None:
            checker.fail(f"{label}: the entry shows a picture but has no example")
            continue
        with tempfile.TemporaryDirectory() as tmp:
            script = Path(tmp) / f"{keyword.lower()}.bas"
            script.write_text(example, encoding="latin-1")
            run, picture, _ = checker.headless(script.resolve(), checker.root / "examples")
        if run.returncode != 0:
            checker.fail(f"{label}: exit status {run.returncode}: {run.stderr.decode()}")
        path = checker.root / "docs" / "reference" / f"{keyword.lower()}.png"
        checker.keep_picture(label, path, picture, crop=True)


SETS = {"examples": check_examples, "tutorial": check_tutorial, "reference": check_reference}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("brindle")
    parser.add_argument("sets", nargs="*", metavar="SET", help=", ".join(SETS))
    parser.add_argument("--refresh", action="store_true", help="write the pictures")
    parser.add_argument("--root", default=Path(__file__).resolve().parents[2], type=Path)
    parser.add_argument("--drift", type=Path, help="where drifted pictures go "
                        "(default: pictures-drift beside BRINDLE)")
    options = parser.parse_args()
    unknown = [name for name in options.sets if name not in SETS]
    if unknown:
        parser.error(f"unknown set {unknown[0]}: choose from {', '.join(SETS)}")
    brindle = Path(os.path.abspath(options.brindle))
    drift = options.drift or brindle.parent / "pictures-drift"
    checker = Checker(str(brindle), options.root.resolve(), options.refresh, drift.resolve())
    for name in options.sets or list(SETS):
        SETS[name](checker)
    for failure in checker.failures:
        print(f"check_pictures: {failure}", file=sys.stderr)
    verb = "wrote the pictures of" if options.refresh else "checked"
    print(f"check_pictures: {verb} {checker.checked} scripts, {len(checker.failures)} failed")
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
