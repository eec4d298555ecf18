#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the seed corpus under fuzz/corpus/ and the dictionaries under fuzz/dict/.

Run it again only to change the seeds; the generated files are committed.
"""
import pathlib
import struct

root = pathlib.Path(__file__).resolve().parent
repo = root.parent


def put(target, name, data):
    path = root / "corpus" / target / name
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data if isinstance(data, bytes) else data.encode("cp1252"))


# A permanence, oldest first, as the files hold it the other way round.
play = [17, 5, 17, 0, 32, 32, 8, 19, 26, 3, 35, 12, 28, 7, 29, 18, 22, 9, 31, 14, 20, 1, 33, 16, 24, 5,
        10, 23, 8, 30, 11, 36, 13, 27, 6, 34, 17, 25, 2, 21, 4, 19, 15, 32, 0, 26, 3, 35]

# Permanence files: newest spin first, one byte each.
put("permanence_file", "empty.prm", b"")
put("permanence_file", "short.prm", bytes(play))
put("permanence_file", "past_full_replay.prm", bytes((i * 7 + 3) % 37 for i in range(1010)))
put("permanence_file", "bytes_above_36.prm", bytes([37, 0, 36, 255, 100, 12]))

# Text files: oldest first, one number per line.
oldest_first = list(reversed(play))
put("text_import", "crlf.txt", "".join(f"{n}\r\n" for n in oldest_first))
put("text_import", "mixed.txt", "17\n\t+05 \r-0\r\n36\n37\n-1\nabc\n 0x12\n\n007\r\n2147483648\n12")
put("text_import", "bom_utf8.txt", b"\xef\xbb\xbf" + "3\r\n14\r\n".encode())
put("text_import", "utf16le.txt", b"\xff\xfe" + "3\r\n14\r\n36\r\n".encode("utf-16-le"))
put("text_import", "utf16be.txt", b"\xfe\xff" + "3\n14\n".encode("utf-16-be"))


# Worksheets: BIFF2 records (type, length, data), as an export writes them and a few other shapes.
def record(kind, data=b""):
    return struct.pack("<HH", kind, len(data)) + data


def integer(row, column, value, attributes=b"\0\0\0"):
    return record(0x0002, struct.pack("<HH", row, column) + attributes + struct.pack("<H", value))


bof = record(0x0009, bytes([5, 0, 0x10, 0]))
formats = record(0x001F, bytes([2, 0])) + record(0x001E, b"\x07General") + record(0x001E, b"\x010")
eof = record(0x000A)
put("xls_import", "export.xls", bof + formats + b"".join(integer(r, 0, n) for r, n in enumerate(oldest_first[:20])) + eof)
put("xls_import", "two_columns.xls", bof + integer(65534, 0, 5) + integer(0, 1, 6) + integer(1, 1, 7) + eof)
put("xls_import", "unordered.xls", bof + integer(3, 0, 1) + integer(1, 0, 2) + integer(3, 0, 3) + integer(2, 0, 40)
    + record(0x0002, b"\1\0\0\0\0\0\0\x05") + record(0x0004, b"\0\0\0\0\0\0\0\x03abc") + eof)
put("xls_import", "short_last_record.xls", bof + integer(0, 0, 9) + b"\x02\x00")

# Option files: the shipped settings cut down to a few keys per section, and the empty file (all on).
put("option_file", "empty.opd", b"")
sections = []
for line in (repo / "data/Einstellungen/data.ini").read_text(encoding="cp1252").splitlines():
    if line.startswith("["):
        sections.append([line])
    elif line and sections and len(sections[-1]) < 4:
        sections[-1].append(line)
put("option_file", "shipped_cut.opd", "\r\n".join("\r\n".join(s) + "\r\n" for s in sections))
put("option_file", "odd_values.opd",
    "[Aktivierung]\r\nCheckbox1=0x1\r\nCheckbox1=0\r\ncheckbox2= -1 \r\n[Minimum1]\r\nMini=2147483647\r\n"
    "[Maximum1]\r\nMaxi=-5\r\n[Einsatz]\r\n[aktivierung]\r\nSpeedButton1=1\r\n[Value]\r\nV1371=99999\r\n"
    "B1371=1000\r\nBisRunde1371=-3\r\n[Farbe]\r\n1=ü\r\n")

# Dictionary of every section and key name the option files use.
names = set()
for line in (repo / "data/Einstellungen/data.ini").read_text(encoding="cp1252").splitlines():
    if line.startswith("["):
        names.add(line)
    elif "=" in line:
        names.add(line.split("=", 1)[0] + "=")
(root / "dict").mkdir(exist_ok=True)
(root / "dict/option_file.dict").write_text(
    "".join(f'"{n}"\n' for n in sorted(names)) + '"0x"\n"\\x0d\\x0a"\n"-2147483648"\n"2147483647"\n')

# Language tables: first byte the language, then the texts to translate, a NUL, then the table.
table = (repo / "data/Einstellungen/Sprache.csv").read_bytes().splitlines(keepends=True)
few = b"".join(table[:12])
put("language_table", "lookups.bin", b"\x01" + "Datei\nAbbrechen\n1. Dutzend (Mitte)\nFehlt\n".encode("cp1252") + b"\0" + few)
put("language_table", "short_lines.bin", b"\x02Datei\n\0Datei\r\nDatei;\nDatei;;\nZ;a;b;c;d\n;;;\n")
put("language_table", "words.bin", b"\x03Datei/Bearbeiten: Beenden!\n\0" + few)

# Layout files: one key of each section kind.
put("display_layout", "sections.ini",
    "[ImagesWidth]\r\nImages0=35\r\nImages156=20\r\n[ImagesLeft]\r\nimages3=100\r\n[ImageTop]\r\nImage37=5\r\n"
    "[LabelAngle]\r\nJvLabel1=-45\r\n[LabelHeight]\r\nLabel46=12\r\n[Width]\r\nStringGrid1=120\r\nBannerWerbung=468\r\n"
    "[Height]\r\nStringGrid1=400\r\nGerade=30\r\n; comment\r\n[Top]\r\nUngerade=+350\r\nEdit1 = 7 \r\n")
put("display_layout", "huge_value.ini", "[Width]\nStringGrid1=999999\n")
put("display_layout", "broken.ini", "[Width\nStringGrid1=abc\n=5\n[]\nx\n[Height]\nStringGrid1=99999999999\n")

# Advertising lists: picture URL, link and hint per line; the maker's host is www.zentora.example.
put("banner_list", "list.txt",
    "http://www.zentora.example/banner/a.gif;https://www.zentora.example/;Zentora\r\n"
    "https://WWW.Zentora.Example:8080/b/c.GIF;http://example.org/x?y=1#z;Hint; with; semicolons\r\n")
put("banner_list", "odd_lines.txt",
    "nur ein Hinweis\rhttp://www.zentora.example/../x.gif;link\n;;\n"
    "http://user@www.zentora.example/a.gif;;\nhttp://www.zentora.example/.hidden.gif;ftp://x;h\r\n\r\n")
