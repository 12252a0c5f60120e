#!/usr/bin/env python3
"""Writes the hand-made damaged catalogues of this folder (see README.md).

Usage: make_handmade.py JETWRITE FOLDER
JETWRITE is the built tools/jetwriter/jetwrite. The base catalogue is small and written by
our own Jet writer (Jet 4, and Jet 3 for the files named jet3-*), whose layout is: page 0
header, page 1 usage maps, page 2 the system catalogue's definition, then each table's
definition followed by its data pages, and the system catalogue's rows last.
"""
import pathlib
import struct
import subprocess
import sys
import tempfile

PAGE = 4096

# Where the two formats differ in what the damage below touches.
JET4 = {"page": 4096, "row_count": 12, "usage_map": 55, "format": "jet4"}
JET3 = {"page": 2048, "row_count": 8, "usage_map": 35, "format": "jet3"}

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


def base_catalogue(jetwrite, fmt=JET4):
    with tempfile.TemporaryDirectory() as folder:
        arguments = ["--format", fmt["format"]]
        for name, lines in TABLES.items():
            csv = pathlib.Path(folder) / f"t{len(arguments)}.csv"
            csv.write_text("\n".join(lines) + "\n", encoding="utf-8")
            arguments += ["--table", f"{name}={csv}"]
        out = pathlib.Path(folder) / "base.mde"
        subprocess.run([jetwrite, str(out)] + arguments, check=True)
        return bytearray(out.read_bytes())


def verzeichnis_definition(data, fmt=JET4):
    """The first table definition after the system catalogue's: Verzeichnis."""
    size = fmt["page"]
    name = "KBNr".encode("utf-16-le" if fmt is JET4 else "cp1252")
    for page in range(3, len(data) // size):
        if data[page * size] == 0x02:
            assert name in data[page * size:(page + 1) * size]
            return page
    raise RuntimeError("no definition of Verzeichnis")


def row_start(data, page, row, fmt=JET4):
    size = fmt["page"]
    return u16(data, page * size + fmt["row_count"] + 2 + 2 * row) & 0x1FFF


def row_end(data, page, row, fmt=JET4):
    return fmt["page"] if row == 0 else row_start(data, page, row - 1, fmt)


def silently_lost(jetwrite, fmt, prefix):
    """Damage that libmdb, unchecked, reads as a smaller sound table: one byte each."""
    size = fmt["page"]
    base = base_catalogue(jetwrite, fmt)
    tdef = verzeichnis_definition(base, fmt)
    data_page = tdef + 1  # the writer puts a table's rows right after its definition
    files = {}

    # In row 1's offset table, the end of its first variable column (KBNr) moves far beyond
    # the row: libmdb cannot place the value and skips the row as if it were deleted.
    row = bytearray(base)
    end = data_page * size + row_end(base, data_page, 1, fmt)
    mask = 1  # seven columns
    if fmt is JET4:
        # ... [u16 offset of Marke][u16 offset of KBNr][u16 count][mask]
        row[end - mask - 2 - 2 - 1] = 0x0F  # high byte of Marke's offset
    else:
        # ... [u8 offset of Marke][u8 offset of KBNr][jump table: none here][u8 count][mask]
        row[end - mask - 1 - 2] = 0xFF
    files[prefix + "row-offset-beyond-row.mde"] = row

    # Verzeichnis's usage map starts two pages later: its one bit now names the data page of
    # H-InformationsGeber, which libmdb passes over as another table's.
    other = bytearray(base)
    pointer = u32(base, tdef * size + fmt["usage_map"])
    map_page, map_row = pointer >> 8, pointer & 0xFF
    map_at = map_page * size + row_start(base, map_page, map_row, fmt)
    assert other[map_at] == 0 and other[map_at + 1] == data_page
    other[map_at + 1] = data_page + 2
    files[prefix + "usage-map-other-table.mde"] = other

    # The data page says one row fewer: libmdb never looks at the last one.
    fewer = bytearray(base)
    count_at = data_page * size + fmt["row_count"]
    assert fewer[count_at] == 2
    fewer[count_at] = 1
    files[prefix + "slot-count-lowered.mde"] = fewer
    return files


def offset_before_start(jetwrite):
    """Row 2's Marke ends before it starts (Jet 4): libmdb lets the value through with a
    negative length, which read as an empty text."""
    base = base_catalogue(jetwrite)
    data_page = verzeichnis_definition(base) + 1
    damaged = bytearray(base)
    end = data_page * PAGE + row_end(base, data_page, 1)
    # ... [u16 offset of Pulvermarke][u16 offset of Marke][u16 offset of KBNr][u16 count][mask]
    damaged[end - 1 - 2 - 6] = 0x00  # low byte of Pulvermarke's offset, the end of Marke
    return {"row-offset-before-start.mde": damaged}


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

    files.update(silently_lost(jetwrite, JET4, ""))
    files.update(silently_lost(jetwrite, JET3, "jet3-"))
    files.update(offset_before_start(jetwrite))

    for name, data in files.items():
        (folder / name).write_bytes(bytes(data))


if __name__ == "__main__":
    main()
