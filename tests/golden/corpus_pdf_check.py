#!/usr/bin/env python3
"""Draws every exchange file to PDF with stracol-render and checks each PDF: its page count
(pdfinfo) equals the log's page count, and its text (pdftotext) holds the boring name.

The files are those of the repository's test data, then those of the larger corpus (when the
folder is given and present) that are not copies of them (same path below the folder).
Exits 77 (skipped) only when the poppler tools are missing; no file at all is a failure.

usage: corpus_pdf_check.py STRACOL_RENDER DATA_DIR [CORPUS_DIR] [--home HOME_DIR]
"""
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77


def page_count(record, depth_per_page):
    """Pages from 0 m to the bottom of the last layer in use, at depth_per_page m per page."""
    layers = record["tables"].get("LayerTable", [])
    max_depth = 0.0
    if layers:
        m = re.match(r"\s*([+-]?(\d+\.?\d*|\.\d+))", layers[-1][0])
        max_depth = float(m.group(1)) if m else 0.0
    return int(math.trunc(max_depth / depth_per_page)) + 1


def squeeze(text):
    return "".join(text.split())


def exchange_files(folder):
    """Exchange XML files below the folder, as (path below the folder, full path), sorted."""
    if not folder or not os.path.isdir(folder):
        return []
    found = []
    for root, _, names in os.walk(folder):
        for name in names:
            if name.lower().endswith(".xml"):
                full = os.path.join(root, name)
                found.append((os.path.relpath(full, folder), full))
    return sorted(found)


def main():
    args = sys.argv[1:]
    home_arg = None
    if "--home" in args:
        i = args.index("--home")
        if i + 1 >= len(args):
            print(__doc__)
            return 2
        home_arg = args[i + 1]
        del args[i:i + 2]
    if len(args) < 2:
        print(__doc__)
        return 2
    render, folders = args[0], args[1:]
    files, seen = [], set()
    for folder in folders:
        for relative, full in exchange_files(folder):
            if relative not in seen:
                seen.add(relative)
                files.append(full)
    if not files:
        print(f"FAIL: no exchange files under {', '.join(folders)}")
        return 1
    for tool in ("pdfinfo", "pdftotext"):
        if shutil.which(tool) is None:
            print(f"SKIPPED: {tool} (poppler-utils) is not installed")
            return SKIP
    with tempfile.TemporaryDirectory() as tmp:
        home = home_arg or os.path.join(tmp, "home")
        os.makedirs(home, exist_ok=True)
        out = os.path.join(tmp, "out")
        # A3 portrait with the default settings and form: 27 m of depth per page at 1/100.
        depth_per_page = 27
        run = subprocess.run([render, "--home", home, "--jobs", "2", "-o", out] + files,
                             capture_output=True, text=True)
        dump = subprocess.run([render, "--home", home, "--dump"] + files, capture_output=True, text=True)
        records = {}
        for line in dump.stdout.splitlines():
            obj = json.loads(line)
            records[obj["file"]] = obj
        failures = []
        checked = 0
        used = set()
        for path in files:
            record = records.get(path)
            name = os.path.splitext(os.path.basename(path))[0]
            stem, n = name, 2
            while name in used:
                name, n = f"{stem}_{n}", n + 1
            used.add(name)
            pdf = os.path.join(out, name + ".pdf")
            if record is None or "error" in record:
                if os.path.exists(pdf):
                    failures.append(f"{path}: not loadable but a PDF was written")
                continue
            if not os.path.exists(pdf):
                failures.append(f"{path}: no PDF")
                continue
            info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
            pages = next((int(l.split()[1]) for l in info.splitlines() if l.startswith("Pages:")), -1)
            expected = page_count(record, depth_per_page)
            if pages != expected:
                failures.append(f"{path}: {pages} pages, expected {expected}")
            boring = record["heading"].get("5", "").strip()
            if boring:
                text = subprocess.run(["pdftotext", "-raw", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                                      text=True).stdout
                if squeeze(boring) not in squeeze(text):
                    failures.append(f"{path}: boring name {boring!r} not in the PDF text")
            checked += 1
        print(f"{checked} PDFs checked of {len(files)} files; render exit status {run.returncode}")
        if run.returncode not in (0, 1):
            failures.append(f"stracol-render exited with {run.returncode}: {run.stderr[-2000:]}")
        for f in failures:
            print("FAIL", f)
        return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
