#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "components/Aligrid.h"
#include "components/AligridClipboard.h"
#include "platform/FormStream.h"

namespace {

struct Grid : TStringAlignGrid {
    Grid() {
        Name = "Tabelle";
        SetColCount(4);
        SetRowCount(4);
    }
};

std::string Html(const TStringAlignGrid& g) { return g.Contents2HTML()->DataString(); }

std::string Reread(TStringAlignGrid& from, TStringAlignGrid& into) {
    std::string error;
    EXPECT_TRUE(ReadComponentText(WriteComponentText(from), into, error)) << error;
    return WriteComponentText(into);
}

}  // namespace

TEST(AligridStoredForm, OneColumnAlignmentWritesThreeBytesAndNothingElse) {
    Grid g;
    g.SetAlignCol(2, alCenter);
    const std::string text = WriteComponentText(g);
    EXPECT_NE(text.find("  AlignCol = {020002}\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("AlignCell"), std::string::npos);
    EXPECT_EQ(text.find("FixedAlignCol"), std::string::npos);
    EXPECT_EQ(text.find("AlignRow"), std::string::npos);
}

TEST(AligridStoredForm, EveryStoredPropertySurvivesTheRoundTrip) {
    Grid g;
    g.SetAlignCell(1, 2, alRight);
    g.SetAlignCol(2, alCenter);
    g.SetFixAlignCol(0, alRight);
    g.SetAlignRow(3, alCenter);
    g.SetFixAlignRow(0, alCenter);
    g.SetEditCell(2, 2, false);
    g.SetEditCol(3, false);
    g.SetEditRow(1, false);
    g.SetHintCell(1, 1, "Hinweis mit 'Quote'\r\nund Zeile");
    g.SetSelColorCell(1, 3, clFuchsia);
    g.SetSelColorCol(2, clTeal);
    g.SetSelColorRow(1, clOlive);
    Grid copy;
    const std::string first = WriteComponentText(g);
    EXPECT_EQ(Reread(g, copy), first);
    EXPECT_EQ(copy.GetAlignCell(1, 2), alRight);
    EXPECT_FALSE(copy.GetEditCell(2, 2));
    EXPECT_EQ(copy.GetHintCell(1, 1), "Hinweis mit 'Quote'\r\nund Zeile");
    EXPECT_EQ(copy.GetSelColorCell(1, 3), clFuchsia);
}

// The published properties the grid adds: a fresh grid writes none of them, and every one with
// a value other than its default comes back from the form, written before the attribute stores.
TEST(AligridStoredForm, PublishedPropertiesAreWrittenOnlyWhenNotDefaultAndReadBack) {
    Grid fresh;
    const std::string plain = WriteComponentText(fresh);
    for (const char* name : {"Alignment", "Editable", "FixedColor", "ShowCellHints", "SelectedCellColor",
                             "SelectedFontColor", "AutoEditNextCell", "NextCell", "AfterLastCell", "DrawSelection"})
        EXPECT_EQ(plain.find(name), std::string::npos) << name;

    Grid g;
    g.SetAlign(alCenter);
    g.Editable = false;
    g.SetFixedColor(clNavy);
    g.ShowCellHints = false;
    g.SetSelCellColor(clMaroon);
    g.SetSelFontColor(clYellow);
    g.AutoEditNextCell = true;
    g.NextCellEdit = nc_upright;
    g.NextCellTab = nc_downleft;
    g.AfterLastCellEdit = lc_stop;
    g.AfterLastCellTab = lc_newcolrow;
    g.DrawSelection = false;
    g.SetAlignCol(2, alRight);
    const std::string text = WriteComponentText(g);
    EXPECT_NE(text.find("  DefaultRowHeight = 24\n"
                        "  Alignment = alCenter\n"
                        "  Editable = False\n"
                        "  FixedColor = 8388608\n"
                        "  ShowCellHints = False\n"
                        "  SelectedCellColor = 128\n"
                        "  SelectedFontColor = 65535\n"
                        "  AutoEditNextCell = True\n"
                        "  NextCellEdit = nc_upright\n"
                        "  NextCellTab = nc_downleft\n"
                        "  AfterLastCellEdit = lc_stop\n"
                        "  AfterLastCellTab = lc_newcolrow\n"
                        "  DrawSelection = False\n"
                        "  AlignCol = {020000}\n"),
              std::string::npos)
        << text;

    // The copy writes what it read: every value came back.
    Grid copy;
    EXPECT_EQ(Reread(g, copy), text);
    EXPECT_EQ(copy.NextCellTab, nc_downleft);
}

// What a stored form sets reaches the effective values: the grid-wide alignment and edit
// permission are the last step of their lookups, and the fixed colour paints the fixed cells.
TEST(AligridStoredForm, PublishedPropertiesOfAStoredFormReachTheCells) {
    TStringAlignGrid g;
    std::string error;
    ASSERT_TRUE(ReadComponentText("object G: TStringAlignGrid\n  Alignment = alCenter\n  Editable = False\n"
                                  "  FixedColor = 8388608\n  SelectedCellColor = -2147483635\n"
                                  "  EditCol = {010001}\nend\n",
                                  g, error))
        << error;
    EXPECT_EQ(g.GetAlignCell(2, 2), alCenter);
    EXPECT_FALSE(g.GetEditCell(2, 2));
    EXPECT_TRUE(g.GetEditCell(1, 2)) << "a column store still wins over the grid-wide value";
    EXPECT_EQ(g.GetColorCell(0, 1), clNavy);
    EXPECT_EQ(g.GetSelColorCell(2, 2), SystemColor(13));
}

TEST(AligridStoredForm, UnknownValuesOfPublishedPropertiesAreRefusedByName) {
    for (const char* line : {"Alignment = alJustify", "NextCellTab = nc_diagonal", "AfterLastCellEdit = 1",
                             "DrawSelection = Ja", "FixedColor = 4294967296"}) {
        TStringAlignGrid g;
        std::string error;
        EXPECT_FALSE(ReadComponentText(std::string("object G: TStringAlignGrid\n  ") + line + "\nend\n", g, error))
            << line;
        const std::string property(line, std::string_view(line).find(' '));
        EXPECT_NE(error.find(property + ": "), std::string::npos) << error;
    }
}

TEST(AligridStoredForm, FontsAndBrushesFromAFormAreWrittenBackAsRead) {
    const std::string form =
        "object Tabelle: TStringAlignGrid\n  ColCount = 4\n  RowCount = 4\n  FixedCols = 1\n  FixedRows = 1\n"
        "  Options = 15\n  DefaultColWidth = 64\n  DefaultRowHeight = 24\n"
        "  FontCell = (\n    1 1 255 -16 'Arial' 0 3\n  )\n"
        "  FontCol = (\n    2 16711680 -13 'Courier' 2 0\n  )\n"
        "  FontFixedCol = (\n    0 32768 -12 'Arial' 0 4\n  )\n"
        "  FontRow = (\n    3 0 -20 'Times' 1 8\n  )\n"
        "  FontFixedRow = (\n    0 16777215 -11 'Arial' 0 1\n  )\n"
        "  BrushCell = (\n    3 3 65535 0\n  )\n"
        "  BrushCol = (\n    1 16776960 0\n  )\n"
        "  BrushFixedCol = (\n    0 8421504 0\n  )\n"
        "  BrushRow = (\n    2 65280 1\n  )\n"
        "  BrushFixedRow = (\n    0 8388608 0\n  )\n"
        "end\n";
    Grid g;
    std::string error;
    ASSERT_TRUE(ReadComponentText(form, g, error)) << error;
    EXPECT_EQ(WriteComponentText(g), form);
    EXPECT_EQ(g.GetFontCellComplete(1, 1).Height, -16);
    EXPECT_TRUE(g.GetFontCellComplete(1, 1).Has(fsBold));
    EXPECT_EQ(g.GetFontCol(2).Pitch(), fpFixed);
    EXPECT_EQ(g.GetColorCell(3, 3), clYellow);
    EXPECT_EQ(g.GetBrushRow(2).Brush().Style, TBrushStyle::bsClear);
    EXPECT_EQ(g.GetColorCell(2, 0), clNavy);
}

TEST(AligridStoredForm, CellTextsComeInThroughLoaded) {
    const std::string form =
        "object DruckTab: TStringAlignGrid\n  ColCount = 4\n  RowCount = 3\n"
        "  Cells = (\n    0 0 '?'\n    1 0 'Nr'\n    2 0 'Datum'\n    3 0 'Feld'\n    9 9 'draußen'\n  )\n"
        "  ColorCol = (\n    2 255\n  )\nend\n";
    TStringAlignGrid g;
    g.SetCells(1, 1, "vorher");
    std::string error;
    ASSERT_TRUE(ReadComponentText(form, g, error)) << error;
    EXPECT_EQ(g.Name, "DruckTab");
    EXPECT_EQ(g.Rows(0).Text(), "?\r\nNr\r\nDatum\r\nFeld\r\n");
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.Cells(9, 9), "");
    EXPECT_EQ(g.GetColorCol(2), clRed);
    EXPECT_FALSE(g.Loading());
    const std::string again = WriteComponentText(g);
    EXPECT_NE(again.find("2 0 'Datum'"), std::string::npos);
    EXPECT_EQ(again.find("ColorCol"), std::string::npos) << "colour lists are only read";
}

TEST(AligridStoredForm, TruncatedBlocksStopAndBadFormsSayWhere) {
    TStringAlignGrid g;
    std::string error;
    ASSERT_TRUE(ReadComponentText("object G: TStringAlignGrid\n  AlignCol = {02000201}\nend\n", g, error)) << error;
    EXPECT_EQ(g.GetAlignCol(2), alCenter);
    EXPECT_FALSE(ReadComponentText("object G: TStringAlignGrid\n  FontCol = (\n    1 255\n", g, error));
    EXPECT_NE(error.find("Formulardaten fehlerhaft an Stelle"), std::string::npos) << error;
    EXPECT_FALSE(ReadComponentText("object G: TStringAlignGrid\n  Unbekannt = 1\nend\n", g, error));
    EXPECT_NE(error.find("Eigenschaft Unbekannt existiert nicht"), std::string::npos);
    EXPECT_FALSE(ReadComponentText("object G: TStringAlignGrid\n  ColCount = 65536\n  RowCount = 65536\nend\n", g, error));
    EXPECT_FALSE(ReadComponentText("object G: TStringAlignGrid\n  AlignCol = {020007}\nend\n", g, error));
    EXPECT_FALSE(ReadComponentText("object G: TSortGrid\nend\n", g, error));
}

// Options are flags; a number that names none of them is refused rather than written back as one
// that no reader takes.
TEST(AligridStoredForm, OptionsOutsideTheKnownFlagsAreRefused) {
    TStringAlignGrid g;
    std::string error;
    for (const char* options : {"-31", "32768", "4294967265"}) {
        EXPECT_FALSE(ReadComponentText(std::string("object G: TStringAlignGrid\n  Options = ") + options + "\nend\n", g,
                                       error));
        EXPECT_NE(error.find("Optionen"), std::string::npos) << error;
    }
    ASSERT_TRUE(ReadComponentText("object G: TStringAlignGrid\n  Options = 32767\nend\n", g, error)) << error;
    TStringAlignGrid copy;
    EXPECT_EQ(Reread(g, copy), WriteComponentText(g));
    EXPECT_EQ(copy.Options, 32767u);
}

TEST(AligridStoredForm, AbsurdFontHeightsFromAFormAreMeasuredDrawnAndExported) {
    // Heights far beyond any screen, and the one whose negation does not fit an int.
    TStringAlignGrid g;
    std::string error;
    ASSERT_TRUE(ReadComponentText("object G: TStringAlignGrid\n"
                                  "  FontCell = (\n    1 1 255 1000000000 'Marovelka Testschrift' 0 0\n"
                                  "    1 2 255 -2147483648 'Arial' 0 1\n  )\nend\n",
                                  g, error))
        << error;
    g.SetCells(1, 1, "Groß");
    g.SetCells(1, 2, "klein");
    EXPECT_LE(g.textheight(1, 1), 2000);
    EXPECT_LE(g.textheight(1, 2), 2000);
    EXPECT_GT(g.textwidth(1, 1), 0);
    EXPECT_NE(Html(g).find(" size=7>"), std::string::npos);  // negative sizes count as the largest
}

TEST(AligridHtml, TableFrameAlignmentColoursAndFixedCells) {
    TStringAlignGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.Color = clWhite;
    g.SetCells(0, 0, "Nr");
    g.SetCells(1, 1, "a<b>&\"c\" ä");
    g.SetAlignCol(1, alRight);
    EXPECT_EQ(Html(g),
              "<table bgcolor=#FFFFFF>\r\n"
              " <tr>\r\n"
              "  <th align=left bgcolor=#C0C0C0>\r\nNr  </th>"
              "  <th align=left bgcolor=#C0C0C0>\r\n  </th>"
              " </tr>\r\n"
              " <tr>\r\n"
              "  <th align=left bgcolor=#C0C0C0>\r\n  </th>"
              "  <td align=right>\r\na&lt;b&gt;&amp;\"c\" &auml;  </td>"
              " </tr>\r\n"
              "</table>\r\n");
}

TEST(AligridHtml, ChangedFontsGetTheirTags) {
    TStringAlignGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, "x");
    EXPECT_EQ(Html(g).find("<font"), std::string::npos);
    g.GetFontCell(1, 1).SetStyle(fsBold | fsUnderline);
    g.GetFontCell(1, 1).SetSize(12);
    g.GetFontCell(1, 1).SetColor(clRed);
    EXPECT_NE(Html(g).find("   <font color=#FF0000 size=4><b><u>x</u></b></font>  </td>"), std::string::npos) << Html(g);
    g.GetFontCell(1, 1).SetSize(10);
    EXPECT_NE(Html(g).find(" size=3>"), std::string::npos);
    g.GetFontCell(1, 1).SetSize(22);
    EXPECT_NE(Html(g).find(" size=7>"), std::string::npos);
}

TEST(AligridSeparatedText, ExportAndImportRoundTrip) {
    TStringAlignGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(0, 0, "a");
    g.SetCells(1, 0, "b");
    g.SetCells(0, 1, "c");
    g.SetCells(1, 1, "d");
    auto stream = g.Contents2CSV(nullptr, ';', TStringAlignGrid::WholeGrid());
    EXPECT_EQ(stream->DataString(), "a;b;\r\nc;d;\r\n");
    TStringAlignGrid back;
    back.SetColCount(2);
    back.SetRowCount(2);
    back.CSV2Contents(stream.get(), ';', TStringAlignGrid::WholeGrid());
    EXPECT_EQ(back.Cells(1, 1), "d");
    EXPECT_EQ(back.Cells(0, 0), "a");
    EXPECT_EQ(g.Contents2CSV(nullptr, ';', TGridRect{1, 1, 1, 1})->DataString(), "d;\r\n");
}

TEST(AligridSeparatedText, ImportGrowsOneRowPerLineAndKeepsEmptyCells) {
    TStringAlignGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 3, "verdeckt");
    TMemoryStream s;
    s.Write("x;;z\r\n1\n2\r3;4;5;6");
    g.CSV2Contents(&s, ';', TGridRect{0, 1, -1, -1});
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.Cells(0, 1), "x");
    EXPECT_EQ(g.Cells(1, 1), "");
    EXPECT_EQ(g.Cells(2, 1), "z");
    EXPECT_EQ(g.Cells(0, 3), "2");
    EXPECT_EQ(g.Cells(1, 3), "verdeckt") << "cells outside a line keep their texts";
    EXPECT_EQ(g.Cells(3, 4), "6");
    g.CSV2Contents(nullptr, ';', TStringAlignGrid::WholeGrid());
}

TEST_F(ProgramTest, GridFileAndClipboardUseTheBellSeparator) {
    TStringAlignGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, "Größe");
    g.SaveToFile(folder + "grid.txt");
    EXPECT_EQ(ReadProgramFile("grid.txt"), "\x07\x07\r\n\x07Größe\x07\r\n");
    TStringAlignGrid loaded;
    loaded.LoadFromFile(folder + "grid.txt");
    EXPECT_EQ(loaded.Cells(1, 1), "Größe");
    EXPECT_THROW(loaded.LoadFromFile(folder + "fehlt.txt"), std::runtime_error);
    g.CopyToClipboard();
    TStringAlignGrid pasted;
    pasted.CopyFromClipboard();
    EXPECT_EQ(pasted.Cells(1, 1), "Größe");
}

TEST(AligridClipboardBlocks, EmptyBlockAndTextEnd) {
    ASSERT_TRUE(Clipboard().Open());
    Clipboard().Empty();
    Clipboard().SetData(CF_TEXT, "");
    Clipboard().Close();
    TMemoryStream s;
    EXPECT_TRUE(Clipboard2Stream(s, CF_TEXT));
    EXPECT_EQ(s.Size(), 0u);
    ASSERT_TRUE(Clipboard().Open());
    Clipboard().SetData(CF_TEXT, std::string("ab\0Rest", 7));
    Clipboard().Close();
    EXPECT_TRUE(Clipboard2Stream(s, CF_TEXT));
    EXPECT_EQ(s.DataString(), "ab");
    ASSERT_TRUE(Clipboard().Open());
    EXPECT_FALSE(Clipboard2Stream(s, CF_TEXT)) << "held open by someone else";
    Clipboard().Close();
}
