// Writes the seed corpus of the fuzz targets: files the program writes itself, so that every
// reader starts from input it accepts and its write-and-read-back checks run from the first run.
//   tool_fuzz_seeds fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "components/Aligrid.h"
#include "components/IAeverButton.h"
#include "components/umEdit.h"
#include "engine/PairingSchedule.h"
#include "foundation/files/Dateihandling.h"
#include "foundation/files/ResultsExchangeFile.h"
#include "foundation/files/Scrambling.h"
#include "foundation/files/TFile.h"
#include "platform/FormStream.h"
#include "platform/Region.h"

namespace fs = std::filesystem;

namespace {

bool failed = false;

void Save(const fs::path& folder, const std::string& name, const std::string& bytes) {
    std::error_code error;
    fs::create_directories(folder, error);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    if (!out) {
        std::fprintf(stderr, "%s konnte nicht geschrieben werden\n", (folder / name).c_str());
        failed = true;
    }
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TBitmap Glyph() {
    TBitmap glyph(4, 2);
    glyph.SetPixel(0, 0, clRed);
    glyph.SetPixel(1, 0, clLime);
    glyph.SetPixel(3, 1, RGBColor(1, 2, 3));
    return glyph;
}

std::vector<TRegion> Regions() {
    return {TRegion(Rect(0, 0, 31, 23)),
            TRegion(Rect(2, 2, 12, 9)).Union(TRegion(Rect(8, 5, 29, 20))),
            PolygonRegion({{15, 0}, {30, 11}, {15, 22}, {0, 11}}),
            TRegion(Rect(0, 0, 31, 23)).Difference(TRegion(Rect(10, 8, 20, 15))),
            TRegion()};
}

std::string Bytes(const std::vector<uint8_t>& data) { return std::string(data.begin(), data.end()); }

// The user outline text of region data: a pair of characters per byte, "!" + the byte + 128
// where the byte itself is no printable character of its own.
std::string OutlineText(const std::vector<uint8_t>& data) {
    std::string text;
    for (uint8_t b : data) {
        const bool plain = (b >= 0x20 && b < 0x7F && b != '!') || b >= 0xA0;
        const unsigned code = plain ? b : b + 128u;
        if (!plain) text += '!';
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else {
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
        if (plain) text += 'x';
    }
    return text;
}

void ButtonForms(const fs::path& folder) {
    {
        TIAeverButton b;
        b.Name = "Knopf";
        Save(folder, "schlicht.txt", WriteComponentText(b));
    }
    {
        TIAeverButton b;
        b.Name = "BtnSpeichern";
        b.SetButtonKind(bkRoundRect);
        b.SetButtoncolor(clSilver);
        b.SetCaption3dKind(ckEmbossed);
        const TBitmap glyph = Glyph();
        b.SetMainBitmap(&glyph);
        b.SetMainBitmapGlyphs(2);
        b.SetBitmapHAlign(haNone);
        b.SetBitmapLeft(8);
        b.SetPeaksNumber(8);
        b.SetRadiusRatio(0.5);
        b.SetGradientKind(gkLinear);
        b.SetGradientAngle(450);
        Save(folder, "gerundet.txt", WriteComponentText(b));
    }
    {
        TIAeverButton b;
        b.Name = "Stern";
        b.SetButtonKind(bkPolyStar);
        b.SetPeaksNumber(7);
        b.SetButtonWidth(60);
        b.SetButtonHeight(40);
        b.SetButtonAngle(300);
        b.SetCaptionAngle(-900);
        b.SetRotationCenterFixed(true);
        b.SetRotatedAngle(-1799);
        Save(folder, "stern.txt", WriteComponentText(b));
    }
    {
        TIAeverButton b;
        b.Name = "Eigen";
        b.SetButtonWidth(31);
        b.SetButtonHeight(23);
        b.SetButtonKind(bkUser);
        b.SetUserRGNAUTO(false);
        b.SetStringButtonRegion(OutlineText(regiondata::Write(Regions()[1])));
        Save(folder, "eigenform.txt", WriteComponentText(b));
    }
}

void GridForms(const fs::path& folder) {
    {
        TStringAlignGrid g;
        g.Name = "Tabelle";
        Save(folder, "schlicht.txt", WriteComponentText(g));
    }
    {
        TStringAlignGrid g;
        g.Name = "Spielplan";
        g.SetColCount(6);
        g.SetRowCount(5);
        g.SetAlignCell(1, 2, alRight);
        g.SetAlignCol(2, alCenter);
        g.SetFixAlignCol(0, alRight);
        g.SetAlignRow(3, alCenter);
        g.SetEditCell(2, 2, false);
        g.SetEditCol(3, false);
        g.SetHintCell(1, 1, "Hinweis mit 'Quote'\r\nund Zeile");
        g.SetSelColorCell(1, 3, clFuchsia);
        g.SetSelColorRow(1, clOlive);
        g.SetColorCell(3, 3, clYellow);
        g.SetColorCol(2, clRed);
        TFont font;
        font.Name = "Arial";
        font.Height = -16;
        g.SetFontCell(1, 1, font);
        g.SetFontRow(2, font);
        g.SetCells(1, 0, "Nr");
        g.SetCells(2, 0, "Datum");
        g.SetCells(1, 1, "Übermäßig 'zitiert'");
        Save(folder, "spielplan.txt", WriteComponentText(g));
    }
    {
        // A display grid as the projector-style views set it up: centred and read-only, with
        // its own colours and cursor walk.
        TStringAlignGrid g;
        g.Name = "Anzeige";
        g.SetColCount(3);
        g.SetRowCount(3);
        g.SetAlign(alCenter);
        g.Editable = false;
        g.SetFixedColor(clNavy);
        g.ShowCellHints = false;
        g.SetSelCellColor(clTeal);
        g.SetSelFontColor(clYellow);
        g.AutoEditNextCell = true;
        g.NextCellEdit = nc_downright;
        g.NextCellTab = nc_leftup;
        g.AfterLastCellEdit = lc_stop;
        g.AfterLastCellTab = lc_newcolrow;
        g.DrawSelection = false;
        g.SetAlignCol(1, alLeft);
        g.SetEditRow(2, true);
        g.SetCells(1, 0, "Mannschaft");
        Save(folder, "anzeige.txt", WriteComponentText(g));
    }
}

void EditForms(const fs::path& folder) {
    {
        TumEdit e;
        e.Name = "Edit14";
        e.SetAlignment(TAlignment::taCenter);
        e.SetText("Größlingen");
        Save(folder, "feld.txt", WriteComponentText(e));
    }
    {
        TumValidEdit e;
        e.Name = "Uhrzeit";
        e.ValidChars = "1234567890:";
        e.SetCharCase(TEditCharCase::ecUpperCase);
        e.PasswordChar = U'•';
        Save(folder, "zeichen.txt", WriteComponentText(e));
    }
    {
        TumNumberEdit e;
        e.Name = "Tore";
        e.SetAlignment(TAlignment::taRightJustify);
        e.SetKind(neHex);
        e.SetMaxValue(255);
        e.SetValue(200);
        Save(folder, "zahl.txt", WriteComponentText(e));
    }
}

void GridImports(const fs::path& folder) {
    TStringAlignGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetCells(0, 0, "Nr");
    g.SetCells(1, 0, "Name");
    g.SetCells(1, 1, "Adler; \"die Ersten\"");
    g.SetCells(2, 1, "Bären\r\nzweite Zeile");
    g.SetCells(3, 2, "3:1");
    for (char separator : {';', ',', '\t'}) {
        std::shared_ptr<TMemoryStream> csv = g.Contents2CSV(nullptr, separator, TStringAlignGrid::WholeGrid());
        const std::string name = separator == '\t' ? "tab" : separator == ';' ? "semikolon" : "komma";
        Save(folder, name + ".csv", std::string(1, separator) + (csv ? csv->DataString() : std::string()));
    }
}

void LineFiles(const fs::path& folder) {
    const fs::path work = folder / ".arbeit";
    std::error_code error;
    fs::create_directories(work, error);
    const std::vector<std::string> rows = {"<DATEI>", "MAROVELKA4", "v4.002", "", "Stadtpokal Größlingen",
                                           "1|6|Reihenfolge||Zufall", "<TABLE>", "</TABLE>"};
    for (bool shift : {true, false}) {
        TFile file;
        file.SetShiftScheme(shift);
        file.SetSafeWrite(true);
        const fs::path path = work / "turnier.tur";
        if (!file.OpenWrite(path.string(), true)) failed = true;
        for (const std::string& row : rows) file.WriteLine(row);
        if (!file.Close()) failed = true;
        Save(folder, shift ? "turnier-schluessel.tur" : "turnier-verschraenkt.tur", Slurp(path));
    }
    // The first blocks of the pairing table are enough: the whole table is larger than a fuzz
    // input should be.
    Dateihandling table;
    const fs::path path = work / "Spklrs.dat";
    if (!table.Open(path.string(), "W", true)) failed = true;
    int blocks = 0;
    for (const std::string& line : PairingFileLines()) {
        table.WriteLine(line);
        if (line == "<END>" && ++blocks == 4) break;
    }
    table.WriteLine("<EOF>");
    if (!table.Close()) failed = true;
    Save(folder, "paarungen.dat", Slurp(path));
    fs::remove_all(work, error);
}

// A results file as the export writes it, with the names of each game's participants after its
// end line: raw (first byte odd) and as the lines the target scrambles itself (first byte even).
void ExchangeFiles(const fs::path& folder) {
    const fs::path work = folder / ".arbeit";
    std::error_code error;
    fs::create_directories(work, error);
    const std::vector<ExchangeBlock> blocks{
        {"1", "1", "4", "3", "0", "2", "0", "", "", "", "1"},
        {"2", "5", "8", "1", "1", "0", "0", "", "", "", "0"},
        {"3", "2", "3", "", "", "", "", "", "", "NULL", "0"},
        {"13", "9", "10", "", "", "2", "1", "63", "57", "25:20, 23:25, 15:12", "9"}};
    const std::vector<ParticipantNames> names{{"VC Blau-Weiß Lindenau", "SG Mühlental"},
                                              {"VfL Kastanienhof", "USC Ostheide"},
                                              {"TV Eichenhain", "SV Rotbach"},
                                              {"SG Mühlental", "Crew É"}};
    const fs::path path = work / "pokal.exp";
    if (!WriteExchangeFile(path.string(), "pokal.tur", blocks, names)) failed = true;
    Save(folder, "teilnehmer.exp", std::string(1, '\x01') + Slurp(path));
    std::string lines = "<DATEI>\nMAROVELKA4 EXPORT\nv4.111\n<START>\npokal.tur";
    for (const ExchangeBlock& block : blocks)
        for (const std::string& line : block) lines += "\n" + line;
    lines += "\n<ENDE>\n<TEILNEHMER>";
    for (size_t i = 0; i < blocks.size(); ++i) lines += "\n" + blocks[i][0] + "\n" + names[i][0] + "\n" + names[i][1];
    Save(folder, "teilnehmer_zeilen.exp", std::string(1, '\x00') + lines + "\n<ENDE>");
    fs::remove_all(work, error);
}

void RegionData(const fs::path& regionFolder, const fs::path& outlineFolder) {
    int n = 0;
    for (const TRegion& region : Regions()) {
        const std::vector<uint8_t> data = regiondata::Write(region);
        ++n;
        Save(regionFolder, "region" + std::to_string(n) + ".bin", Bytes(data));
        Save(outlineFolder, "umriss" + std::to_string(n) + ".txt", OutlineText(data));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: %s <Korpusordner>\n", argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    // The same seeds every time: scrambled lines get their filler from a fixed start.
    scrambling::FixFillerSeed(4711);
    ButtonForms(corpus / "button_form");
    GridForms(corpus / "grid_form");
    EditForms(corpus / "edit_form");
    GridImports(corpus / "grid_import");
    LineFiles(corpus / "line_files");
    ExchangeFiles(corpus / "exchange_file");
    RegionData(corpus / "region_data", corpus / "user_outline");
    if (failed) return 1;
    std::printf("%s: Startdateien geschrieben\n", corpus.c_str());
    return 0;
}
