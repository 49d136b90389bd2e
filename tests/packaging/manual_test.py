#!/usr/bin/env python3
"""The manual page and the shell completions against the program's own usage.

  manual_test.py BRINDLE FOLDER

FOLDER holds what brindle_manual wrote: brindle.1, brindle (bash), _brindle (zsh) and
brindle.fish. Every option the usage lists must be in each of them and none that it does not;
the page must format without a warning; bash and fish, given the completion script, must
complete options, --help's keywords, the choices of --zoom, and files by kind. A shell that is
not installed is left out, and said so.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

FAILURES = []


def check(condition, message):
    if not condition:
        FAILURES.append(message)


def usage_options(brindle):
    usage = subprocess.run([brindle, "--help"], capture_output=True, text=True, check=True).stdout
    # The usage keeps to --help; its short form -h is in the page and the completions.
    return set(re.findall(r"(?<![\w-])(--[a-z][a-z-]*)\b", usage)) | {"-h"}


def options_in(text, pattern):
    return {m.replace("\\-", "-") for m in re.findall(pattern, text)}


def check_texts(folder, options):
    page = (folder / "brindle.1").read_text()
    found = {
        "brindle.1": options_in(page, r"\\fB((?:\\-)+[a-z][a-z\\-]*)\\fR"),
        "bash": options_in((folder / "brindle").read_text(), r"(?<![\w-])(--[a-z][a-z-]*|-h)\b"),
        "zsh": options_in((folder / "_brindle").read_text(), r"(?<![\w-])(--[a-z][a-z-]*|-h)\b"),
        "fish": {("--" if len(n) > 1 else "-") + n for n in
                 re.findall(r" -[ls] ([a-z][a-z-]*)", (folder / "brindle.fish").read_text())},
    }
    for name, words in found.items():
        # The page's text also names options in its sentences; those must be real ones.
        missing, unknown = options - words, words - options
        check(not missing, f"{name} leaves out {sorted(missing)}")
        check(not unknown, f"{name} names options the usage does not: {sorted(unknown)}")
    for section in ("EXIT STATUS", "EVENTS FILE", "ENVIRONMENT", "FILES", "SEE ALSO"):
        check(f".SH \"{section}\"" in page or f".SH {section}" in page, f"no {section} section")
    check("\n.TP\n124\n" in page, "the exit statuses lack 124")
    check("\n.TP\n\\fBscreenshot FILE\\fR\n" in page, "the events lines lack screenshot")


def check_page_formats(folder):
    if not shutil.which("man"):
        print("man not installed: the page's formatting is not checked")
        return
    r = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", str(folder / "brindle.1")],
                       capture_output=True, text=True, env={**os.environ, "MANWIDTH": "80"})
    check(r.returncode == 0 and r.stderr == "", f"man -l: status {r.returncode}: {r.stderr}")
    check("--time-limit SECONDS" in r.stdout, "the formatted page lacks --time-limit")


def bash_completions(script, words, cwd):
    program = (f"source '{script}'\n"
               f"COMP_WORDS=({' '.join(repr(w) for w in words)})\n"
               f"COMP_CWORD={len(words) - 1}\n"
               "_brindle\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n")
    r = subprocess.run(["bash", "--norc", "-c", program], capture_output=True, text=True,
                       cwd=cwd)
    return sorted(filter(None, r.stdout.split("\n"))), r.stderr


def fish_completions(script, line, cwd):
    r = subprocess.run(["fish", "--no-config", "-c", f"source '{script}'; complete -C'{line}'"],
                       capture_output=True, text=True, cwd=cwd)
    return sorted(w.split("\t")[0] for w in r.stdout.split("\n") if w), r.stderr


def make_files(folder):
    for name in ("game.bas", "game.events", "shot.png", "anim.gif", "notes.txt"):
        (folder / name).write_text("x\n")
    (folder / "more").mkdir()


# What each command line completes to in the folder make_files fills, in both shells.
CASES = [
    (["brindle", "--he"], ["--headless", "--help"]),
    (["brindle", "--ti"], ["--time-limit"]),
    (["brindle", "--help", "PRI"], ["PRINT"]),
    (["brindle", "--zoom", ""], ["1", "2", "3", "4", "auto"]),
    (["brindle", "--encoding", "u"], ["utf-8"]),
    (["brindle", "--headless", ""], ["game.bas", "more/"]),
    (["brindle", "--headless", "--events", ""], ["game.events", "more/"]),
    (["brindle", "--screenshot", ""], ["more/", "shot.png"]),
    (["brindle", "--headless", "--gif", ""], ["anim.gif", "more/"]),
]


def check_shells(folder, work):
    if shutil.which("bash"):
        for words, expected in CASES:
            got, err = bash_completions(folder / "brindle", words, work)
            # bash's own completion marks folders with the slash; compgen gives the bare name.
            want = sorted(w.rstrip("/") for w in expected)
            check(got == want and not err, f"bash: {words}: {got} (wanted {want}) {err}")
    else:
        print("bash not installed: its completion is not checked")
    if shutil.which("fish"):
        for words, expected in CASES:
            got, err = fish_completions(folder / "brindle.fish", " ".join(words), work)
            check(got == expected and not err, f"fish: {words}: {got} (wanted {expected}) {err}")
    else:
        print("fish not installed: its completion is not checked")
    if shutil.which("zsh"):
        r = subprocess.run(["zsh", "-n", str(folder / "_brindle")], capture_output=True, text=True)
        check(r.returncode == 0 and not r.stderr, f"zsh -n: {r.stderr}")
    else:
        print("zsh not installed: its completion is not checked")


def main():
    brindle, folder = sys.argv[1], Path(sys.argv[2]).resolve()
    options = usage_options(brindle)
    check({"--help", "-h", "--version", "--examples", "--zoom"} <= options,
          f"the usage's options are not found: {sorted(options)}")
    check_texts(folder, options)
    check_page_formats(folder)
    with tempfile.TemporaryDirectory() as work:
        make_files(Path(work))
        check_shells(folder, work)
    for failure in FAILURES:
        print(failure)
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
