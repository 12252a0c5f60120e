#!/usr/bin/env python3
"""Writes the hand-made damaged catalogues of this folder (see README.md).

Usage: make_handmade.py JETWRITE FOLDER
JETWRITE is the built tools/jetwriter/jetwrite. The base catalogue is small and written by
our own Jet writer, whose layout is: page 0 header, page 1 usage maps, page 2 the system
catalogue's definition, then each table's definition followed by its data pages, and the
system catalogue's rows last.
"""
import pathlib
import struct
import subprocess
import sys
import tempfile

PAGE = 4096

TABLES = {
    "Verzeichnis": [
        "KBNr:TEXT(8),Marke:TEXT(60),Pulvermarke:TEXT(60),HerstLiefSchl:TEXT(10),"
        "ZusatzSchl:TEXT(10),InfoGeberSchl:TEXT(10),AenderungsFlag:BOOLEAN",
        "01234.05,MMMMMMMMMMMMMMMMMMMM,,BÖH,S1,TÜO,1",
        "00007.00,Schweißdraht,UV 420,MÜL,UP,DB,0",
    ],
    "H-InformationsGeber": ["InfoGeberSchl:TEXT(10),InfoGeber:TEXT", "TÜO,Überwachung Süd"],
    "H-Schweißzusatz": ["ZusatzSchl:TEXT(10),Zusatz:TEXT", "S1,Stabelektrode", "UP,Pulver"],
    "H-HerstellerLieferer": ["HerstLiefSchl:TEXT(10),HerstellerLieferer:TEXT",
                             "MÜL,Müller",
                             "BÖH,Böhler"],
    "norvenz": ["Ausgabe:TEXT(10),Teil:TEXT(10),Bezeichnung:TEXT", "2024,2,Herbst 2024"],
}


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def base_catalogue(jetwrite):
    with tempfile.TemporaryDirectory() as folder:
        arguments = []
        for name, lines in TABLES.items():
            csv = pathlib.Path(folder) / f"t{len(arguments)}.csv"
            csv.write_text("\n".join(lines) + "\n", encoding="utf-8")
            arguments += ["--table", f"{name}={csv}"]
        out = pathlib.Path(folder) / "base.mde"
        subprocess.run([jetwrite, str(out)] + arguments, check=True)
        return bytearray(out.read_bytes())


def verzeichnis_definition(data):
    """The first table definition after the system catalogue's: Verzeichnis."""
    for page in range(3, len(data) // PAGE):
        if data[page * PAGE] == 0x02:
            assert "KBNr".encode("utf-16-le") in data[page * PAGE:(page + 1) * PAGE]
            return page
    raise RuntimeError("no definition of Verzeichnis")


def row_start(data, page, row):
    return u16(data, page * PAGE + 14 + 2 * row) & 0x1FFF


def main():
    jetwrite, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    base = base_catalogue(jetwrite)
    tdef = verzeichnis_definition(base) * PAGE
    usage_pointer = u32(base, tdef + 55)
    map_page, map_row = usage_pointer >> 8, usage_pointer & 0xFF
    files = {}

    files["truncated-mid-page.mde"] = base[:5 * PAGE + 1234]
    files["truncated-at-page.mde"] = base[:-PAGE]

    zeroed = bytearray(base)
    zeroed[:PAGE] = bytes(PAGE)
    files["zeroed-header.mde"] = zeroed

    bad_catalogue = bytearray(base)
    bad_catalogue[2 * PAGE] = 0x01
    files["bad-page-type-catalogue.mde"] = bad_catalogue

    bad_definition = bytearray(base)
    bad_definition[tdef] = 0x01
    files["bad-page-type-verzeichnis.mde"] = bad_definition

    # Verzeichnis's usage map becomes a row of length 0: libmdb dereferences a null map.
    empty_map = bytearray(base)
    at = map_page * PAGE + 14 + 2 * map_row
    struct.pack_into("<H", empty_map, at, row_start(base, map_page, map_row - 1))
    files["usage-map-empty.mde"] = empty_map

    # The map's first page lies far beyond the end: libmdb silently reads no row at all.
    map_beyond = bytearray(base)
    map_at = map_page * PAGE + row_start(base, map_page, map_row)
    assert map_beyond[map_at] == 0
    struct.pack_into("<I", map_beyond, map_at + 1, 5000)
    files["usage-map-beyond-end.mde"] = map_beyond

    # Marke becomes a memo column; row 1's value points to a 4-byte row on page 1 that points
    # to itself. libmdb's memo reader follows it for ever.
    loop = bytearray(base)
    columns = tdef + 63 + u32(base, tdef + 51) * 12
    marke = next(columns + 25 * i for i in range(7) if base[columns + 25 * i + 5] == 1)
    assert loop[marke] == 0x0A
    loop[marke] = 0x0C
    rows = u16(loop, PAGE + 12)
    lval_row = rows
    lval_start = row_start(loop, 1, rows - 1) - 4
    struct.pack_into("<I", loop, PAGE + lval_start, (1 << 8) | lval_row)
    struct.pack_into("<H", loop, PAGE + 14 + 2 * lval_row, lval_start)
    struct.pack_into("<H", loop, PAGE + 12, rows + 1)
    value = b"\xff\xfe" + b"M" * 20
    at = loop.index(value, tdef + PAGE)
    loop[at:at + 12] = struct.pack("<III", 100, (1 << 8) | lval_row, 0)
    files["memo-chain-loop.mde"] = loop

    for name, data in files.items():
        (folder / name).write_bytes(bytes(data))


if __name__ == "__main__":
    main()
