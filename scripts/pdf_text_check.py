#!/usr/bin/env python3
"""Checks the text layer of log PDFs as a reader of the page would see it.

    pdf_text_check.py FILE.pdf...

For every page, pdftotext -bbox gives the box of each word. Two words overprint when they
share more than a quarter of the smaller box. A word standing wholly outside the paper, or
the same word drawn twice on one spot, is counted too. Prints one line per finding and a
summary; the exit status is 1 when anything was found, 2 when pdftotext is missing.
"""

import html
import re
import shutil
import subprocess
import sys

WORD = re.compile(r'<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">(.*?)</word>')
PAGE = re.compile(r'<page width="([\d.]+)" height="([\d.]+)">')
SHARE = 0.25


def pages_of(pdf):
    out = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True, check=True).stdout
    pages = []
    for chunk in out.split("</page>"):
        m = PAGE.search(chunk)
        if not m:
            continue
        words = [(float(a), float(b), float(c), float(d), html.unescape(t)) for a, b, c, d, t in WORD.findall(chunk)]
        pages.append((float(m.group(1)), float(m.group(2)), words))
    return pages


def overlap(a, b):
    w = min(a[2], b[2]) - max(a[0], b[0])
    h = min(a[3], b[3]) - max(a[1], b[1])
    if w <= 0 or h <= 0:
        return 0.0
    smaller = min((a[2] - a[0]) * (a[3] - a[1]), (b[2] - b[0]) * (b[3] - b[1]))
    return w * h / smaller if smaller > 0 else 0.0


def check(pdf):
    findings = []
    for number, (width, height, words) in enumerate(pages_of(pdf), start=1):
        for w in words:
            if w[2] <= 0 or w[0] >= width or w[3] <= 0 or w[1] >= height:
                findings.append(f"{pdf} page {number}: off the paper: {w[4]!r}")
        order = sorted(range(len(words)), key=lambda i: words[i][1])
        for n, i in enumerate(order):
            a = words[i]
            for j in order[n + 1:]:
                b = words[j]
                if b[1] >= a[3]:
                    break
                share = overlap(a, b)
                if share > SHARE:
                    findings.append(f"{pdf} page {number}: {a[4]!r} and {b[4]!r} share {share:.0%}")
    return findings


def main(argv):
    if shutil.which("pdftotext") is None:
        print("pdftotext is missing (poppler-utils)", file=sys.stderr)
        return 2
    total = 0
    for pdf in argv[1:]:
        for line in check(pdf):
            print(line)
            total += 1
    print(f"{total} findings in {len(argv) - 1} files")
    return 1 if total else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
