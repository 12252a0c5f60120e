#!/usr/bin/env python3
"""Reads a CSV file as spreadsheet programs do and prints its rows, one line each, the fields
separated by a unit separator (0x1F); fails when the file lacks the byte-order mark."""
import csv
import sys

with open(sys.argv[1], "rb") as raw:
    if not raw.read(3) == b"\xef\xbb\xbf":
        sys.exit("no byte-order mark")
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    for row in csv.reader(f, delimiter=";", strict=True):
        sys.stdout.write("\x1f".join(row) + "\x1e")
