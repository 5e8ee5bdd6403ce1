#!/usr/bin/env python3
"""Writes the golden files of the file tests from the format description alone.

The small tournament "Stadtpokal" is written out below cell by cell; this script scrambles it
into a tournament file (v4.002 and v4.001), writes its results exchange file and an own-forms
file with two records. It shares no code with the program. Run it from this folder; it rewrites
stadtpokal.tur, stadtpokal_v4001.tur, stadtpokal_kurz.tur (cut short before the end of its table),
stadtpokal.exp and EigenForm.dat.
"""

KEY = "591730482615937048261593704"
ALPHABET = "k7#Rm2=Qv9!Lp4?Xz8&Nw3%Ht6$Bc1+Fy5-Jd0<Gs>Ea]Ub[Io{Yu}eWP"


class Filler:
    """Any filler will do: the readers skip it. A small fixed sequence keeps the files stable."""

    def __init__(self, seed):
        self.state = seed

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) % (1 << 31)
        return (self.state >> 16) % n


def row(*cells):
    cells = list(cells) + [""] * (31 - len(cells))
    assert len(cells) == 31
    return cells


TURNIER = row("1", "1", "", "Stadtpokal", "stadtpokal.tur", "C:\\Turniere\\stadtpokal.tur", "3", "Fussball",
              "06.12.2026", "", "Tore", "", "", "SP", "GruppenSpiele")
GRUPPE = row("1", "2", "1", "", "1", "A", "Vorrunde", "M1;M2;M3", "1", "", "1", "10:00", "20", "5", "", "3", "1",
             "Edit", "", "0", "", "", "", "", "JGJ", "", "1", "Vorrunde")
SPIELE = [
    row("1", "4", "1", "", "1", "1", "1", "1", "10:00", "10:20", "1", "2", "3", "", "06.12.2026", "", "3", "1", "",
        "", "", "", "", "1", "1"),
    row("1", "4", "2", "", "2", "1", "1", "1", "10:25", "10:45", "1", "3", "2", "", "06.12.2026", "", "2", "2", "",
        "", "", "", "", "0", "1"),
    row("1", "4", "3", "", "3", "1", "1", "1", "10:50", "11:10", "2", "3", "1", "", "06.12.2026", "", "", "", "",
        "", "", "", "", "", "1"),
]
TEAMS = [
    row("1", "3", "1", "", "", "", "Adler", "Adler", "", "", "1"),
    row("1", "3", "2", "", "", "", "Bären Süd", "Bären Süd", "", "", "1"),
    row("1", "3", "3", "", "", "", "Crew É", "Crew É", "", "", "1"),
]
PLATZ = [
    row("1", "5", "1", "1", "1", "Adler", "2", "2", "5", "3"),
    row("1", "5", "2", "2", "1", "Bären Süd", "1", "2", "1", "3"),
    row("1", "5", "3", "3", "1", "Crew É", "1", "2", "2", "2"),
]
WIDTHS = [("SpielSpalte", [16, 20, 60, 27, 70, 46, 226, 62, 83, 166]), ("PlatzSpalte", [45, 120, 200, 50, 70, 85]),
          ("EndPlatzSpalte", [45, 120, 300])]
EIN = [row("1", "6", "ZeitSpiele", "", "true"), row("1", "6", "TeamTyp", "", "Mannschaft"),
       row("1", "6", "TeamTyps", "", "Mannschaften"), row("1", "6", "N1", "", "Schiri Meier")]
EIN += [row("1", "6", prefix + str(i), "", str(w)) for prefix, widths in WIDTHS for i, w in enumerate(widths)]
UKSOUND = [row("1", "7", "1", "", "06.12.2026", "10:00", "gong.wav")]
# The order in which the program packs a current tournament.
ROWS = [TURNIER, GRUPPE] + SPIELE + TEAMS + PLATZ + UKSOUND + EIN


def cp1252(text):
    return text.encode("cp1252")


def row_line(cells):
    return b"".join(cp1252(c) + b"\r\n" for c in cells)


def key_shift(data, position, filler):
    """Bytes shifted by the key digit's code plus 10, the marker, filler up to about 60."""
    if data == b"":
        data = b"[LEER]"
    shift = ord(KEY[position - 1]) + 10
    line = bytes((b + shift) % 256 for b in data) + b"<:>"
    count = max(0, (61 - len(line)) // 2)
    line += bytes(ord(ALPHABET[filler.next(40)]) for _ in range(count))
    assert b"\n" not in line and b"\r" not in line and b"\0" not in line, "line does not survive"
    return line


def interleave(data, filler):
    """One or two filler bytes (44..83) before every byte; CR and LF stored as 21 and 22."""
    out = bytearray()
    for i, b in enumerate(data):
        out += bytes(44 + filler.next(40) for _ in range(1 if i % 2 == 0 else 2))
        out.append({10: 22, 13: 21}.get(b, b))
    return bytes(out)


def tournament_file(version, cut=False):
    filler = Filler(1)
    plain = [b"<DATEI>", b"MAROVELKA4", cp1252(version), b"TURNIER", b"<TurnierInfo>", b"<|LEER|>", b"<|LEER|>",
             b"<|LEER|>", b"</TurnierInfo>", b"<TABLE>"] + [row_line(r) for r in ROWS] + [b"</TABLE>", b"</DATEI>"]
    if cut:
        plain = plain[:-4]
    lines = []
    for n, data in enumerate(plain, start=1):
        if n <= 3 or version == "v4.001":
            lines.append(key_shift(data, (n - 1) % 20 + 1, filler))
        else:
            lines.append(interleave(data, filler))
    return b"".join(line + b"\r\n" for line in lines)


def exchange_file():
    filler = Filler(2)
    plain = ["<DATEI>", "MAROVELKA4 EXPORT", "v4.111", "<START>", "stadtpokal.tur"]
    for game in SPIELE[:2]:
        plain += [game[c] for c in (4, 10, 11, 16, 17, 18, 19, 20, 21, 15, 23)]
    plain.append("<ENDE>")
    return b"".join(key_shift(cp1252(t), (n - 1) % 20 + 1, filler) + b"\n" for n, t in enumerate(plain, start=1))


def own_forms_file():
    lines = ["Bitte diese Datei nicht editieren", "|" + "-" * 49,
             "4|Zwei Gruppen?Finale|!Vorrunde|$A$Gruppe A$JGJ$M1;M2|$B$Gruppe B$JGJ$M3;M4|!Finale|"
             "$F$Finale$SV$1.A;1.B|<$$>S3;V3;",
             "|Zwei Gruppen, dann das Finale&&Für vier Mannschaften",
             "3|Jeder gegen jeden|!Runde 1|$A$Jeder gegen Jeden$JGJ$M1;M2;M3|<$$>",
             "|Turnierform mit 1 Runden und 3 Spielen"]
    return b"".join(cp1252(line) + b"\r\n" for line in lines)


if __name__ == "__main__":
    for name, content in [("stadtpokal.tur", tournament_file("v4.002")),
                          ("stadtpokal_v4001.tur", tournament_file("v4.001")),
                          ("stadtpokal_kurz.tur", tournament_file("v4.002", cut=True)),
                          ("stadtpokal.exp", exchange_file()), ("EigenForm.dat", own_forms_file())]:
        with open(name, "wb") as f:
            f.write(content)
