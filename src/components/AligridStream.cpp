// The display grid's attributes and texts in stored forms.
#include <array>
#include <cstdint>
#include <optional>

#include "components/Aligrid.h"
#include "components/FormProperties.h"
#include "platform/FormStream.h"

namespace {

using Grid = TStringAlignGrid;

// Value names as forms spell them, in the order of the enumerations.
constexpr std::array<const char*, 3> kAlignNames{"alRight", "alLeft", "alCenter"};
constexpr std::array<const char*, 8> kNextCellNames{"nc_rightdown", "nc_downright", "nc_leftdown", "nc_downleft",
                                                    "nc_leftup",    "nc_upleft",    "nc_rightup",  "nc_upright"};
constexpr std::array<const char*, 3> kLastCellNames{"lc_newcolrow", "lc_stop", "lc_first"};

// The published properties the grid adds, each left out of a form while it has its default.
void DefinePublished(Grid& grid, TFiler& filer) {
    FormProperties<Grid> p(grid, filer);
    auto flag = [&p](const std::string& name, bool Grid::*field, bool streamDefault) {
        p.Boolean(
            name, [field](Grid& g) { return g.*field; }, [field](Grid& g, bool v) { g.*field = v; }, streamDefault);
    };
    auto nextCell = [&p](const std::string& name, T_nextcell Grid::*field) {
        p.Enumeration(
            name, [field](Grid& g) { return g.*field; }, [field](Grid& g, T_nextcell v) { g.*field = v; },
            kNextCellNames, std::optional(nc_rightdown));
    };
    auto lastCell = [&p](const std::string& name, t_lastcell Grid::*field, t_lastcell streamDefault) {
        p.Enumeration(
            name, [field](Grid& g) { return g.*field; }, [field](Grid& g, t_lastcell v) { g.*field = v; },
            kLastCellNames, std::optional(streamDefault));
    };
    p.Enumeration("Alignment", &Grid::GetAlign, &Grid::SetAlign, kAlignNames, std::optional(alLeft));
    flag("Editable", &Grid::Editable, true);
    p.Colour("FixedColor", &Grid::FixedColor, &Grid::SetFixedColor, clBtnFace);
    flag("ShowCellHints", &Grid::ShowCellHints, true);
    p.Colour(
        "SelectedCellColor", [](Grid& g) { return g.SelectedCellColor; }, &Grid::SetSelCellColor, clActiveCaption);
    p.Colour(
        "SelectedFontColor", [](Grid& g) { return g.SelectedFontColor; }, &Grid::SetSelFontColor, clWhite);
    flag("AutoEditNextCell", &Grid::AutoEditNextCell, false);
    nextCell("NextCellEdit", &Grid::NextCellEdit);
    nextCell("NextCellTab", &Grid::NextCellTab);
    lastCell("AfterLastCellEdit", &Grid::AfterLastCellEdit, lc_newcolrow);
    lastCell("AfterLastCellTab", &Grid::AfterLastCellTab, lc_first);
    flag("DrawSelection", &Grid::DrawSelection, true);
}

int StoredIndex(TReader& reader) { return static_cast<int>(static_cast<uint64_t>(reader.ReadInteger()) & 0xFFFF); }
TColor StoredColor(TReader& reader) { return static_cast<TColor>(static_cast<uint32_t>(reader.ReadInteger())); }

void WriteU16(TMemoryStream& s, int v) {
    const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
    s.Write(std::string_view(bytes, 2));
}

int ReadU16(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

template <typename V>
unsigned char ByteOf(V v) { return static_cast<unsigned char>(v); }

template <typename V>
V ValueOf(unsigned char byte);
template <>
TMyAlign ValueOf<TMyAlign>(unsigned char byte) {
    if (byte > alCenter) throw EReadError("Formulardaten fehlerhaft: Ausrichtung " + std::to_string(byte) + " unbekannt");
    return static_cast<TMyAlign>(byte);
}
template <>
bool ValueOf<bool>(unsigned char byte) { return byte != 0; }

// Byte blocks: records of (column, row, value) or (index, value), read until the data end;
// a record cut short at the end is dropped.
template <typename V>
void WriteCellBlock(TMemoryStream& s, const SparseCells<V>& store, int cols, int rows) {
    for (const auto& [c, column] : store.Columns()) {
        if (c >= cols) break;
        for (const auto& [r, v] : column.Entries()) {
            if (r >= rows) break;
            WriteU16(s, c);
            WriteU16(s, r);
            const char byte = static_cast<char>(ByteOf(v));
            s.Write(std::string_view(&byte, 1));
        }
    }
}

template <typename V>
void WriteListBlock(TMemoryStream& s, const SparseList<V>& store, int count) {
    for (const auto& [i, v] : store.Entries()) {
        if (i >= count) break;
        WriteU16(s, i);
        const char byte = static_cast<char>(ByteOf(v));
        s.Write(std::string_view(&byte, 1));
    }
}

template <typename V>
void ReadCellBlock(TMemoryStream& s, SparseCells<V>& store, bool& stored) {
    const std::string& b = s.DataString();
    for (size_t at = 0; at + 5 <= b.size(); at += 5) {
        store.Put(ReadU16(b, at), ReadU16(b, at + 2), ValueOf<V>(static_cast<unsigned char>(b[at + 4])));
        stored = true;
    }
}

template <typename V>
void ReadListBlock(TMemoryStream& s, SparseList<V>& store, bool& stored) {
    const std::string& b = s.DataString();
    for (size_t at = 0; at + 3 <= b.size(); at += 3) {
        store.Put(ReadU16(b, at), ValueOf<V>(static_cast<unsigned char>(b[at + 2])));
        stored = true;
    }
}

void WriteFont(TWriter& w, const TMyFont& f) {
    w.WriteInteger(f.Font().Color);
    w.WriteInteger(f.Font().Height);
    w.WriteString(f.Font().Name);
    w.WriteInteger(f.Pitch());
    w.WriteInteger(f.Font().Style);
}

void WriteBrush(TWriter& w, const TMyBrush& b) {
    w.WriteInteger(b.Color());
    w.WriteInteger(static_cast<int>(b.Brush().Style));
}

}  // namespace

// Reads one place's font or brush record into a new object owned by the grid.
class AligridStreaming {
public:
    static std::unique_ptr<TMyFont> ReadFont(TStringAlignGrid& grid, TReader& r) {
        auto font = grid.NewFont(TFont{}, false);
        font->SetColor(StoredColor(r));
        font->SetHeight(static_cast<int>(r.ReadInteger()));
        font->SetName(r.ReadString());
        const int64_t pitch = r.ReadInteger();
        if (pitch < fpDefault || pitch > fpFixed) throw EReadError("Formulardaten fehlerhaft: Schriftabstand unbekannt");
        font->SetPitch(static_cast<TFontPitch>(pitch));
        font->SetStyle(static_cast<unsigned>(r.ReadInteger() & 0xFF));
        return font;
    }

    static std::unique_ptr<TMyBrush> ReadBrush(TStringAlignGrid& grid, TReader& r) {
        auto brush = grid.NewBrush(TBrush{}, false);
        brush->SetColor(StoredColor(r));
        const int64_t style = r.ReadInteger();
        if (style < 0 || style > static_cast<int>(TBrushStyle::bsClear))
            throw EReadError("Formulardaten fehlerhaft: Pinselart unbekannt");
        brush->SetStyle(static_cast<TBrushStyle>(style));
        return brush;
    }

    // A list of (column, row, value) items.
    template <typename ReadItem>
    static void ReadCellList(TReader& r, ReadItem&& item) {
        r.ReadListBegin();
        while (!r.EndOfList()) {
            const int c = StoredIndex(r);
            const int row = StoredIndex(r);
            item(c, row);
        }
        r.ReadListEnd();
    }

    template <typename ReadItem>
    static void ReadIndexList(TReader& r, ReadItem&& item) {
        r.ReadListBegin();
        while (!r.EndOfList()) item(StoredIndex(r));
        r.ReadListEnd();
    }

    template <typename V, typename WriteValue>
    static void WriteCellList(TWriter& w, const SparseCells<V>& store, int cols, int rows, WriteValue&& value) {
        w.WriteListBegin();
        for (const auto& [c, column] : store.Columns()) {
            if (c >= cols) break;
            for (const auto& [r, v] : column.Entries()) {
                if (r >= rows) break;
                if (!value(nullptr, v)) continue;
                w.NextItem();
                w.WriteInteger(c);
                w.WriteInteger(r);
                value(&w, v);
            }
        }
        w.WriteListEnd();
    }

    template <typename V, typename WriteValue>
    static void WriteIndexList(TWriter& w, const SparseList<V>& store, int count, WriteValue&& value) {
        w.WriteListBegin();
        for (const auto& [i, v] : store.Entries()) {
            if (i >= count) break;
            if (!value(nullptr, v)) continue;
            w.NextItem();
            w.WriteInteger(i);
            value(&w, v);
        }
        w.WriteListEnd();
    }

    static void Define(TStringAlignGrid& g, TFiler& filer);
};

void AligridStreaming::Define(TStringAlignGrid& g, TFiler& filer) {
    const int cols = g.ColCount(), rows = g.RowCount();
    auto cellBlock = [&](const char* name, auto& stores) {
        filer.DefineBinaryProperty(
            name, [&stores](TMemoryStream& s) { ReadCellBlock(s, stores.cell, stores.stored.cell); },
            [&stores, cols, rows](TMemoryStream& s) { WriteCellBlock(s, stores.cell, cols, rows); }, stores.stored.cell);
    };
    auto listBlock = [&](const char* name, auto& list, bool& stored, int count) {
        filer.DefineBinaryProperty(
            name, [&list, &stored](TMemoryStream& s) { ReadListBlock(s, list, stored); },
            [&list, count](TMemoryStream& s) { WriteListBlock(s, list, count); }, stored);
    };
    cellBlock("AlignCell", g.align_);
    listBlock("AlignCol", g.align_.col, g.align_.stored.col, cols);
    listBlock("FixedAlignCol", g.align_.fixedCol, g.align_.stored.fixedCol, cols);
    listBlock("AlignRow", g.align_.row, g.align_.stored.row, rows);
    listBlock("FixedAlignRow", g.align_.fixedRow, g.align_.stored.fixedRow, rows);
    cellBlock("EditCell", g.edit_);
    listBlock("EditCol", g.edit_.col, g.edit_.stored.col, cols);
    listBlock("EditRow", g.edit_.row, g.edit_.stored.row, rows);

    auto writeText = [](TWriter* w, const std::string& text) {
        if (w) w->WriteString(text);
        return true;
    };
    filer.DefineProperty(
        "HintCell",
        [&g](TReader& r) { ReadCellList(r, [&](int c, int row) { g.SetHintCell(c, row, r.ReadString()); }); },
        [&g, cols, rows, writeText](TWriter& w) { WriteCellList(w, g.hint_.cell, cols, rows, writeText); },
        g.hint_.stored.cell);
    filer.DefineProperty(
        "Cells",
        [&g](TReader& r) {
            if (!g.loadedTexts_) g.loadedTexts_ = std::make_unique<SparseCells<std::string>>();
            ReadCellList(r, [&](int c, int row) { g.loadedTexts_->Put(c, row, r.ReadString()); });
            g.cellTextStored_ = true;
        },
        [&g, cols, rows](TWriter& w) {
            w.WriteListBegin();
            for (int c = 0; c < cols; ++c)
                for (int row = 0; row < rows; ++row) {
                    if (g.Cells(c, row).empty()) continue;
                    w.NextItem();
                    w.WriteInteger(c);
                    w.WriteInteger(row);
                    w.WriteString(g.Cells(c, row));
                }
            w.WriteListEnd();
        },
        g.cellTextStored_);

    auto writeFont = [](TWriter* w, const std::unique_ptr<TMyFont>& f) {
        if (w) WriteFont(*w, *f);
        return f->IsChanged();
    };
    auto writeBrush = [](TWriter* w, const std::unique_ptr<TMyBrush>& b) {
        if (w) WriteBrush(*w, *b);
        return b->IsChanged();
    };
    auto objectCells = [&](const char* name, auto& stores, auto read, auto write) {
        filer.DefineProperty(
            name,
            [&g, &stores, read](TReader& r) {
                bool any = false;
                ReadCellList(r, [&](int c, int row) {
                    stores.cell.Put(c, row, read(g, r));
                    any = true;
                });
                stores.stored.cell = any;
            },
            [&stores, cols, rows, write](TWriter& w) { WriteCellList(w, stores.cell, cols, rows, write); },
            stores.stored.cell);
    };
    auto objectList = [&](const char* name, auto& list, bool& stored, int count, auto read, auto write) {
        filer.DefineProperty(
            name,
            [&g, &list, &stored, read](TReader& r) {
                bool any = false;
                ReadIndexList(r, [&](int i) {
                    list.Put(i, read(g, r));
                    any = true;
                });
                stored = any;
            },
            [&list, count, write](TWriter& w) { WriteIndexList(w, list, count, write); }, stored);
    };
    auto& f = g.font_;
    objectCells("FontCell", f, ReadFont, writeFont);
    objectList("FontCol", f.col, f.stored.col, cols, ReadFont, writeFont);
    objectList("FontFixedCol", f.fixedCol, f.stored.fixedCol, cols, ReadFont, writeFont);
    objectList("FontRow", f.row, f.stored.row, rows, ReadFont, writeFont);
    objectList("FontFixedRow", f.fixedRow, f.stored.fixedRow, rows, ReadFont, writeFont);
    auto& b = g.brush_;
    objectCells("BrushCell", b, ReadBrush, writeBrush);
    objectList("BrushCol", b.col, b.stored.col, cols, ReadBrush, writeBrush);
    objectList("BrushFixedCol", b.fixedCol, b.stored.fixedCol, cols, ReadBrush, writeBrush);
    objectList("BrushRow", b.row, b.stored.row, rows, ReadBrush, writeBrush);
    objectList("BrushFixedRow", b.fixedRow, b.stored.fixedRow, rows, ReadBrush, writeBrush);

    // Colours of forms from before the brushes: read into the brushes, never written.
    auto colourList = [&](const char* name, TMyBrush& (TStringAlignGrid::*brushOf)(int)) {
        filer.DefineProperty(
            name, [&g, brushOf](TReader& r) { ReadIndexList(r, [&](int i) { (g.*brushOf)(i).SetColor(StoredColor(r)); }); },
            nullptr, false);
    };
    filer.DefineProperty(
        "ColorCell",
        [&g](TReader& r) { ReadCellList(r, [&](int c, int row) { g.GetBrushCell(c, row).SetColor(StoredColor(r)); }); },
        nullptr, false);
    colourList("ColorCol", &TStringAlignGrid::GetBrushCol);
    colourList("ColorFixedCol", &TStringAlignGrid::GetBrushFixedCol);
    colourList("ColorRow", &TStringAlignGrid::GetBrushRow);
    colourList("ColorFixedRow", &TStringAlignGrid::GetBrushFixedRow);

    auto writeColour = [](TWriter* w, TColor colour) {
        if (w) w->WriteInteger(colour);
        return true;
    };
    auto& s = g.selColor_;
    filer.DefineProperty(
        "SelectedColorCell",
        [&g](TReader& r) { ReadCellList(r, [&](int c, int row) { g.SetSelColorCell(c, row, StoredColor(r)); }); },
        [&s, cols, rows, writeColour](TWriter& w) { WriteCellList(w, s.cell, cols, rows, writeColour); }, s.stored.cell);
    filer.DefineProperty(
        "SelectedColorCol", [&g](TReader& r) { ReadIndexList(r, [&](int i) { g.SetSelColorCol(i, StoredColor(r)); }); },
        [&s, cols, writeColour](TWriter& w) { WriteIndexList(w, s.col, cols, writeColour); }, s.stored.col);
    filer.DefineProperty(
        "SelectedColorRow", [&g](TReader& r) { ReadIndexList(r, [&](int i) { g.SetSelColorRow(i, StoredColor(r)); }); },
        [&s, rows, writeColour](TWriter& w) { WriteIndexList(w, s.row, rows, writeColour); }, s.stored.row);
}

void TStringAlignGrid::DefineProperties(TFiler& filer) {
    TStringGrid::DefineProperties(filer);
    DefinePublished(*this, filer);
    AligridStreaming::Define(*this, filer);
}

void TStringAlignGrid::Loaded() {
    TStringGrid::Loaded();
    // Only stored cells and texts within the counts are touched, however large the grid.
    for (int r = 0; r < RowCount(); ++r) {
        if (static_cast<size_t>(r) >= RowStore().size()) break;
        const auto& row = RowStore()[static_cast<size_t>(r)];
        for (int c = 0; c < ColCount() && static_cast<size_t>(c) < row.size(); ++c) SetCells(c, r, "");
    }
    if (loadedTexts_) {
        for (const auto& [c, column] : loadedTexts_->Columns()) {
            if (c >= ColCount()) break;
            for (const auto& [r, text] : column.Entries()) {
                if (r >= RowCount()) break;
                SetCells(c, r, text);
            }
        }
        loadedTexts_.reset();
    }
    reopen_ = (Options & goAlwaysShowEditor) != 0;
    TStringGrid::HideEdit();
}
