#!/usr/bin/env python3
"""Writes the libFuzzer dictionary of the exchange XML target: every element name of the
exchange files in the given folders, as start and end tag, in UTF-8 and in CP932.

    python3 fuzz/make_dict.py tests/data > fuzz/exchange_xml.dict
"""
import pathlib
import re
import sys


def text_of(data: bytes) -> str:
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp932", errors="replace")


def entry(raw: bytes) -> str:
    return '"' + "".join(chr(b) if 0x20 <= b < 0x7F and b not in (0x22, 0x5C) else "\\x%02X" % b for b in raw) + '"'


names = set()
for folder in sys.argv[1:]:
    for path in pathlib.Path(folder).rglob("*"):
        if path.suffix.lower() == ".xml":
            names.update(re.findall(r"</?([^\s<>/?!]+)", text_of(path.read_bytes())))
print("# Element names of the exchange XML files (made by fuzz/make_dict.py)")
for fixed in ['<?xml version="1.0" encoding="Shift_JIS"?>', '<?xml version="1.0" encoding="UTF-8"?>',
              '<!DOCTYPE ボーリング情報 SYSTEM "BED0400.DTD">', "/>", "&#", "&amp;"] + [
                  '<ボーリング情報 DTD_version="%s">' % v for v in ("1.10", "2.00", "2.01", "2.10", "3.00", "4.00", "5.00", "9.99")]:
    print(entry(fixed.encode("utf-8")))
for name in sorted(names):
    for encoding in ("utf-8", "cp932"):
        try:
            raw = name.encode(encoding)
        except UnicodeEncodeError:
            continue
        print(entry(b"<" + raw + b">"))
        print(entry(b"</" + raw + b">"))
