#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes keywords.bin, the stored keyword table, from keywords.txt.

Each record: 16-bit little-endian id (1-based, ascending), 8-bit length, the characters;
a 16-bit id of 0 ends the table.
"""
import pathlib
import struct

here = pathlib.Path(__file__).resolve().parent
names = {"<space>": " ", "<hash>": "#"}
entries = [names.get(line, line)
           for line in (here / "keywords.txt").read_text(encoding="ascii").splitlines()
           if line and not line.startswith("# ")]
out = bytearray()
for number, text in enumerate(entries, start=1):
    raw = text.encode("ascii")
    out += struct.pack("<HB", number, len(raw)) + raw
out += struct.pack("<H", 0)
(here / "keywords.bin").write_bytes(out)
print(f"{len(entries)} entries, {len(out)} bytes")
