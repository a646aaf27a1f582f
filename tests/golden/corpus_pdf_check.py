#!/usr/bin/env python3
"""Draws every exchange file to PDF with stracol-render and checks each PDF: its page count
(pdfinfo) equals the log's page count, its text (pdftotext) holds the boring name, no two
words of its text layer overprint each other (the check of scripts/pdf_text_check.py), and
its title and subject are the boring and survey names. The run also writes its --index
(GeoJSON), which must list every file in order with the PDF, the pages and the status, and
place each boring whose address lies in 福井県 or 滋賀県 inside that prefecture.

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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import pdf_text_check  # noqa: E402

SKIP = 77


def page_count(record, depth_per_page):
    """Pages from 0 m to the bottom of the last layer in use, at depth_per_page m per page."""
    layers = record["tables"].get("LayerTable", [])
    max_depth = 0.0
    if layers:
        m = re.match(r"\s*([+-]?(\d+\.?\d*|\.\d+))", layers[-1][0])
        max_depth = float(m.group(1)) if m else 0.0
    # The last page is the first that reaches the end: none is left empty after it.
    rest = max_depth - depth_per_page
    return 1 if rest <= 1e-6 else int(math.ceil(rest / depth_per_page - 1e-6)) + 1


def squeeze(text):
    return "".join(text.split())


# Longitude and latitude bounds (degrees) around each prefecture, a little wider than its land.
PREFECTURES = {
    "福井県": ((135.40, 136.90), (35.30, 36.35)),
    "滋賀県": ((135.70, 136.50), (34.75, 35.75)),
}


def pdf_info(pdf):
    out = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True)
    info, key = {}, None
    for line in out.stdout.splitlines():
        m = re.match(r"([A-Z][A-Za-z ]*):\s(.*)$", line)
        if m:
            key = m.group(1)
            info[key] = m.group(2).strip()
        elif key:  # a value holding a line break goes on over the next lines
            info[key] += "\n" + line
    return info, out.stderr


def check_index(files, records, pdfs, pages_of, index_json, failures):
    """The index lists every file in the order given, with its PDF, pages and status."""
    with open(index_json, encoding="utf-8") as f:
        features = json.load(f)["features"]
    if [ft["properties"]["file"] for ft in features] != files:
        failures.append("index: the GeoJSON does not list every file in order")
        return 0
    placed = 0
    for path, feature in zip(files, features):
        p = feature["properties"]
        record = records.get(path)
        loadable = record is not None and "error" not in record
        if p["status"] != ("drawn" if loadable else "failed"):
            failures.append(f"index: {path}: status {p['status']}")
            continue
        if not loadable:
            if not p["reason"]:
                failures.append(f"index: {path}: failed without a reason")
            continue
        if p["output"] != [pdfs[path]] or p["pages"] != pages_of.get(path):
            failures.append(f"index: {path}: output {p['output']} pages {p['pages']}, "
                            f"PDF {pdfs[path]} has {pages_of.get(path)}")
        heading = record["heading"]
        if p["boring_name"] != heading.get("5", "").strip() or p["survey_name"] != heading.get("1", "").strip():
            failures.append(f"index: {path}: names {p['boring_name']!r} {p['survey_name']!r}")
        address = heading.get("3", "").strip()
        for prefecture, ((lon0, lon1), (lat0, lat1)) in PREFECTURES.items():
            if not address.startswith(prefecture):
                continue
            geometry = feature["geometry"]
            if geometry is None:
                failures.append(f"index: {path}: {address} has no position")
                continue
            lon, lat = geometry["coordinates"]
            if not (lon0 <= lon <= lon1 and lat0 <= lat <= lat1):
                failures.append(f"index: {path}: {address} placed at {lat:.5f} N {lon:.5f} E")
            placed += 1
    return placed


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
        # A file that is no exchange data: reported as failed in the index, no PDF.
        broken = os.path.join(tmp, "not-a-log.xml")
        with open(broken, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + bytes(range(256)))
        files = files + [broken]
        index_json = os.path.join(tmp, "index", "index.geojson")

        # A3 portrait with the default settings and form: 27 m of depth per page at 1/100.
        depth_per_page = 27
        run = subprocess.run([render, "--home", home, "--jobs", "2", "-o", out, "--index", index_json] + files,
                             capture_output=True, text=True)
        dump = subprocess.run([render, "--home", home, "--dump"] + files, capture_output=True, text=True)
        records = {}
        for line in dump.stdout.splitlines():
            obj = json.loads(line)
            records[obj["file"]] = obj
        failures = []
        checked = 0
        used = set()
        pdfs = {}
        pages_of = {}
        for path in files:
            record = records.get(path)
            name = os.path.splitext(os.path.basename(path))[0]
            stem, n = name, 2
            while name in used:
                name, n = f"{stem}_{n}", n + 1
            used.add(name)
            pdf = os.path.join(out, name + ".pdf")
            pdfs[path] = pdf
            if record is None or "error" in record:
                if os.path.exists(pdf):
                    failures.append(f"{path}: not loadable but a PDF was written")
                continue
            if not os.path.exists(pdf):
                failures.append(f"{path}: no PDF")
                continue
            info, info_errors = pdf_info(pdf)
            pages = int(info.get("Pages", "-1"))
            pages_of[path] = pages
            expected = page_count(record, depth_per_page)
            if pages != expected:
                failures.append(f"{path}: {pages} pages, expected {expected}")
            if info_errors.strip():
                failures.append(f"{path}: pdfinfo says {info_errors.strip()[:200]}")
            boring = record["heading"].get("5", "").strip()
            survey = record["heading"].get("1", "").strip()
            if (squeeze(info.get("Title", "")) != squeeze(boring) or squeeze(info.get("Subject", "")) != squeeze(survey)
                    or info.get("Creator") != "Stracol"):
                failures.append(f"{path}: title {info.get('Title')!r} subject {info.get('Subject')!r} "
                                f"creator {info.get('Creator')!r}, expected {boring!r} {survey!r} 'Stracol'")
            if boring:
                text = subprocess.run(["pdftotext", "-raw", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                                      text=True).stdout
                if squeeze(boring) not in squeeze(text):
                    failures.append(f"{path}: boring name {boring!r} not in the PDF text")
            failures.extend(pdf_text_check.check(pdf))
            checked += 1
        placed = check_index(files, records, pdfs, pages_of, index_json, failures)
        print(f"{checked} PDFs checked of {len(files)} files; render exit status {run.returncode}; "
              f"index placed {placed} borings in 福井県 or 滋賀県")
        if run.returncode != 1:  # the broken file fails, every other is drawn or reported
            failures.append(f"stracol-render exited with {run.returncode}: {run.stderr[-2000:]}")
        for f in failures:
            print("FAIL", f)
        return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
