#!/usr/bin/env python3
"""Fails on a broken link or a missing picture in the README and docs/: every relative link
must name a file of the checkout, and every #anchor a heading of the file it points into (as
GitHub makes anchors of headings). Links to web addresses are not followed.

usage: check_links.py ROOT
"""
import os
import re
import sys

LINK = re.compile(r'!?\[[^\]]*\]\(([^)\s]+)(?:\s+"[^"]*")?\)')
HEADING = re.compile(r'^#{1,6}\s+(.*?)\s*#*\s*$')
FENCE = re.compile(r'^\s*(```|~~~)')


def prose_lines(text):
    """The lines outside fenced code blocks."""
    inside = False
    for line in text.splitlines():
        if FENCE.match(line):
            inside = not inside
            continue
        if not inside:
            yield line


def anchor_of(heading):
    """GitHub's anchor of a heading: lower case, markup and punctuation dropped, spaces as -."""
    text = re.sub(r'`|\*\*|__', '', heading).strip().lower()
    text = re.sub(r'\[([^\]]*)\]\([^)]*\)', r'\1', text)
    text = re.sub(r'[^\w\- ]', '', text)
    return text.replace(' ', '-')


def anchors(path, cache={}):
    if path not in cache:
        found, seen = set(), {}
        with open(path, encoding='utf-8') as f:
            for line in prose_lines(f.read()):
                m = HEADING.match(line)
                if not m:
                    continue
                base = anchor_of(m.group(1))
                n = seen.get(base, 0)
                seen[base] = n + 1
                found.add(base if n == 0 else '%s-%d' % (base, n))
        with open(path, encoding='utf-8') as f:
            found.update(re.findall(r'<a (?:name|id)="([^"]+)"', f.read()))
        cache[path] = found
    return cache[path]


def problems(root, page):
    with open(page, encoding='utf-8') as f:
        text = f.read()
    for number, line in enumerate(prose_lines(text), 1):
        for target in LINK.findall(re.sub(r'`[^`]*`', '', line)):
            if re.match(r'^[a-z][a-z0-9+.-]*:', target):
                continue  # a web address or mail link
            path, _, anchor = target.partition('#')
            full = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
            where = '%s: %s' % (os.path.relpath(page, root), target)
            if not os.path.exists(full):
                yield where + ': no such file'
            elif anchor and full.endswith('.md') and anchor not in anchors(full):
                yield where + ': no such heading'


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = os.path.abspath(sys.argv[1])
    pages = [os.path.join(root, 'README.md')]
    for folder, _, files in os.walk(os.path.join(root, 'docs')):
        pages += [os.path.join(folder, name) for name in sorted(files) if name.endswith('.md')]
    found = [problem for page in pages for problem in problems(root, page)]
    for problem in found:
        print(problem)
    print('%d pages, %d broken links' % (len(pages), len(found)))
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main())
